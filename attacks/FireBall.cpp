#include "attacks/FireBall.h"

#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <cmath>

void shootFireBall(Stage& stage, double& radius) {
    Canvas& canvas = stage.canvas;
    sweepErase(stage, 4000, 4000, 0.0, 1.0);

    stage.counterA = 1;
    while (stage.counterA < 6000) {
        // Reseeded before every ball; the source folds the clock into its state, so balls drawn
        // within one clock tick still flicker.
        stage.random.reseedRandom();
        // The product of two singles is exact in double, so green stops at 254.
        const std::int16_t green = round16(std::floor(double{stage.random.nextRandom()} * 255.0f));
        const Color shade = rgb(255, green, 0);
        canvas.setFillColor(shade);
        const std::int16_t y = add16(stage.counterA, 4500);
        const std::int16_t x = add16(mul16(2, stage.counterA), 4500);
        canvas.circle(x, y, static_cast<float>(radius), shade);
        pause(stage, 5);

        // Painting the same disc in the background erases the ball and whatever lay under it.
        canvas.setFillColor(canvas.background());
        canvas.circle(x, y, static_cast<float>(radius), canvas.background());
        stage.counterA = add16(stage.counterA, 1);
        radius += 0.4;
    }
}
