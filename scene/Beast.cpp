#include "scene/Beast.h"

#include "canvas/Palette.h"
#include "stage/Numeric.h"

namespace {

using namespace Palette;

constexpr std::int16_t TailX1 = 0, TailY1 = 4500, TailX2 = 2000, TailY2 = 2500;
constexpr std::int16_t SpikeRootX = 5500, SpikeRootY = 2000, SpikeReachX = 4000, SpikeReachY = 500;

void stroke(Stage& stage, int x1, int y1, int x2, int y2, Color colour) {
    stage.canvas.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                      static_cast<float>(y2), colour);
}

} // namespace

Painting drawBody(Stage& stage, std::int16_t radius) {
    stage.label.setCaption(" ");
    // A body drawn whole at once has nothing to rumble about.
    const bool grows = radius < BodyRadius;
    if (grows)
        stage.startCue(Cue::Rumble);
    for (std::int16_t r = radius; r <= BodyRadius; r = add16(r, 1)) {
        stage.canvas.setFillColor(Red);
        stage.canvas.ellipse(BodyX, BodyY, r, Red, 0.6f);
        co_await stage.drawn();
    }
    if (grows)
        stage.stopCue(Cue::Rumble);
}

Painting drawEye(Stage& stage, std::int16_t x, std::int16_t y, std::int16_t r) {
    for (std::int16_t rim = 1; rim < r; rim = add16(rim, 1)) {
        stage.canvas.setFillColor(Black);
        stage.canvas.ellipse(x, y, rim, Black, 0.8f);
        co_await stage.drawn();
    }
    for (std::int16_t ball = 1; ball < sub16(r, 50); ball = add16(ball, 1)) {
        stage.canvas.setFillColor(White);
        stage.canvas.ellipse(x, y, ball, White, 0.8f);
        co_await stage.drawn();
    }
    // The pupil's size does not follow r: it always reaches radius 149.
    for (std::int16_t pupil = 1; pupil < 150; pupil = add16(pupil, 1)) {
        stage.canvas.setFillColor(Black);
        stage.canvas.circle(add16(x, 250), add16(y, 150), pupil, Black);
        co_await stage.drawn();
    }
}

Painting drawBrow(Stage& stage, std::int16_t x1, std::int16_t y1, std::int16_t x2,
                  std::int16_t y2) {
    stroke(stage, x1, y1, x2, y2, Black);
    co_await stage.drawn();
    for (std::int16_t shift = 1; shift < 600; shift = add16(shift, 1)) {
        stroke(stage, sub16(x1, shift), y1, sub16(x2, shift), y2, Black);
        co_await stage.drawn();
    }
}

Painting drawTail(Stage& stage, double x1, double y1, double x2, double y2) {
    for (std::int16_t k = 1; k < 2250; k = add16(k, 1)) {
        stage.canvas.line(static_cast<float>(x1), static_cast<float>(y1 + mul16(2, k)),
                          static_cast<float>(x2), static_cast<float>(y2 + k), Red);
        co_await stage.drawn();
    }
}

Painting drawSpikes(Stage& stage, std::int16_t rootX, std::int16_t rootY, std::int16_t reachX,
                    std::int16_t reachY) {
    // Broad wedge rising up and left out of the window.
    for (std::int16_t k = 1; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(rootX, 300), k), rootY, sub16(sub16(reachX, 5000), mul16(4, k)),
               sub16(reachY, 3200), Maroon);
        co_await stage.drawn();
    }
    // Long narrow blade rising to the right.
    for (std::int16_t k = 1; k < 1500; k = add16(k, 1)) {
        stroke(stage, add16(sub16(rootX, 1500), k), rootY, add16(add16(reachX, 5000), mul16(2, k)),
               reachY, Maroon);
        co_await stage.drawn();
    }
    // Flat band running left to the window's edge.
    for (std::int16_t k = 1; k < 2200; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(rootX, 2200), k), rootY, sub16(sub16(reachX, 3000), k),
               add16(reachY, 1000), Maroon);
        co_await stage.drawn();
    }
    // Wedge running left whose far end fans downwards.
    for (std::int16_t k = 1; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(rootX, 2200), k), rootY, sub16(sub16(reachX, 5000), k),
               add16(add16(reachY, 1000), k), Maroon);
        co_await stage.drawn();
    }
    // Crossing segments whose envelope hugs the body's upper left.
    for (std::int16_t k = 1; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(rootX, 5500), add16(add16(rootY, 1000), k), sub16(add16(reachX, 75), k),
               add16(reachY, 1300), Maroon);
        co_await stage.drawn();
    }
}

Painting drawBeast(Stage& stage, std::int16_t bodyRadius) {
    co_await drawBody(stage, bodyRadius);
    co_await drawEye(stage, EyeX, EyeY, EyeRadius);
    co_await drawBrow(stage, BrowX1, BrowY1, BrowX2, BrowY2);
    co_await drawTail(stage, TailX1, TailY1, TailX2, TailY2);
    co_await drawSpikes(stage, SpikeRootX, SpikeRootY, SpikeReachX, SpikeReachY);
}
