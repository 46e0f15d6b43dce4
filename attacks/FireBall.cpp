#include "attacks/FireBall.h"

#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "stage/Numeric.h"

#include <cmath>

Painting shootFireBall(Stage& stage, double radius) {
    Canvas& canvas = stage.canvas;
    co_await sweepErase(stage, MouthX, MouthY, 0.0, 1.0);

    stage.startCue(Cue::Whoosh);
    for (std::int16_t ball = 1; ball < 6000; ball = add16(ball, 1)) {
        // Reseeded before every ball; the source folds the clock into its state, so balls drawn
        // within one clock tick still flicker.
        stage.random.reseedRandom();
        // The product of two singles is exact in double, so green stops at 254.
        const std::int16_t green = round16(std::floor(double{stage.random.nextRandom()} * 255.0f));
        const Color shade = rgb(255, green, 0);
        canvas.setFillColor(shade);
        const std::int16_t y = add16(ball, 4500);
        const std::int16_t x = add16(mul16(2, ball), 4500);
        canvas.circle(x, y, static_cast<float>(radius), shade);
        co_await stage.drawn();
        co_await stage.pause(5);

        // Painting the same disc in the background erases the ball and whatever lay under it.
        canvas.setFillColor(canvas.background());
        canvas.circle(x, y, static_cast<float>(radius), canvas.background());
        co_await stage.drawn();
        radius += 0.4;
    }
    stage.stopCue(Cue::Whoosh);
    stage.playCue(Cue::Boom);
}
