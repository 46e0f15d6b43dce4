#include "attacks/Sweep.h"

#include "canvas/Palette.h"
#include "stage/Numeric.h"

void pause(Stage& stage, const std::int16_t& n) {
    if (n <= 0)
        return;
    // The timeline only needs the total, so the n units go on it in one charge.
    stage.timeline.chargePause(n);
}

void sweepErase(Stage& stage, const std::int16_t& x, const std::int16_t& y, const double& dx,
                const double& dy) {
    Canvas& canvas = stage.canvas;
    stage.counterA = 1;
    do {
        const Color back = canvas.background();
        // The offsets are 16-bit sums, so a pivot too far right or down overflows here, before
        // anything is drawn; the steps along the far edge are doubles.
        const double farX = add16(x, 5000) - stage.counterA * dx;
        const double farY = add16(y, 1000) + stage.counterA * dy;
        canvas.line(x, y, static_cast<float>(farX), static_cast<float>(farY), back);
        stage.counterA = add16(stage.counterA, 1);
        pause(stage, 10);
    } while (stage.counterA < 5000);
}
