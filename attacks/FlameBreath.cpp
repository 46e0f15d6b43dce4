#include "attacks/FlameBreath.h"

#include "attacks/Sweep.h"
#include "scene/Beast.h"
#include "stage/Numeric.h"

#include <cmath>

Painting breatheFlame(Stage& stage, std::int16_t x, std::int16_t y) {
    co_await sweepErase(stage, MouthX, MouthY, 0.0, 1.0);
    // Each burst a little less blue, the last one with none at all.
    static constexpr std::int16_t blues[] = {50, 40, 30, 20, 0};
    stage.startCue(Cue::Roar);
    for (const std::int16_t blue : blues)
        co_await sprayFlames(stage, blue, x, y);
    stage.stopCue(Cue::Roar);
}

Painting sprayFlames(Stage& stage, std::int16_t blue, std::int16_t x, std::int16_t y) {
    Canvas& canvas = stage.canvas;
    RandomSource& random = stage.random;
    for (std::int16_t line = 1; line < 1000; line = add16(line, 1)) {
        // Reseeded before every line; the source folds the clock into its state rather than
        // restarting from it, so lines within one clock tick still differ. The products are
        // formed in double, which is exact, so no floor reaches its bound.
        random.reseedRandom();
        const std::int16_t right = round16(std::floor(random.nextRandom() * 1500.0));
        const std::int16_t bottom = round16(std::floor(random.nextRandom() * 1500.0));
        const std::int16_t green = round16(std::floor(random.nextRandom() * 255.0));
        const float jitterX = random.nextRandom();
        const float jitterY = random.nextRandom();
        // The target follows the window, so the size is read on every pass.
        const float width = canvas.width();
        const float height = canvas.height();
        const Color colour = rgb(255, green, blue);
        const auto startX = static_cast<float>(std::floor(jitterX * 50.0) + x);
        const auto startY = static_cast<float>(std::floor(jitterY * 50.0) + y);
        const float endX = width - mul16(2, right);
        const float endY = height - mul16(2, bottom);
        canvas.line(startX, startY, endX, endY, colour);
        co_await stage.drawn();
        co_await stage.pause(20);
    }
}
