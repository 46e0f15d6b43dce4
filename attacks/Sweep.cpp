#include "attacks/Sweep.h"

#include "stage/Numeric.h"

Painting sweepErase(Stage& stage, std::int16_t x, std::int16_t y, double dx, double dy) {
    Canvas& canvas = stage.canvas;
    stage.startCue(Cue::Growl);
    for (std::int16_t k = 1; k < 5000; k = add16(k, 1)) {
        const Color back = canvas.background();
        // The offsets are 16-bit sums, so a pivot too far right or down overflows here, before
        // anything is drawn; the steps along the far edge are doubles.
        const double farX = add16(x, 5000) - k * dx;
        const double farY = add16(y, 1000) + k * dy;
        canvas.line(x, y, static_cast<float>(farX), static_cast<float>(farY), back);
        co_await stage.drawn();
        co_await stage.pause(10);
    }
    stage.stopCue(Cue::Growl);
}
