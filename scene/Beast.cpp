#include "scene/Beast.h"

#include "canvas/Palette.h"
#include "stage/Numeric.h"

namespace {

using namespace Palette;

constexpr std::int16_t BodyLimit = 3000;

void stroke(Stage& stage, int x1, int y1, int x2, int y2, Color colour) {
    stage.canvas.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                      static_cast<float>(y2), colour);
}

} // namespace

void drawBody(Stage& stage, std::int16_t& r) {
    stage.label.setCaption(" ");
    // r lives in the caller, so the caller sees how far the body grew.
    while (r < BodyLimit) {
        stage.canvas.setFillColor(Red);
        stage.canvas.ellipse(BodyX, BodyY, r, Red, 0.6f);
        r = add16(r, 1);
    }
}

void drawEye(Stage& stage, const std::int16_t& x, const std::int16_t& y, const std::int16_t& r) {
    std::int16_t& rim = stage.counterA;
    std::int16_t& ball = stage.counterB;
    std::int16_t& pupil = stage.counterC;
    rim = 1;
    ball = 1;
    pupil = 1;

    while (rim < r) {
        stage.canvas.setFillColor(Black);
        stage.canvas.ellipse(x, y, rim, Black, 0.8f);
        rim = add16(rim, 1);
    }
    while (ball < sub16(r, 50)) {
        stage.canvas.setFillColor(White);
        stage.canvas.ellipse(x, y, ball, White, 0.8f);
        ball = add16(ball, 1);
    }
    // The pupil's size does not follow r: it always reaches radius 149.
    while (pupil < 150) {
        stage.canvas.setFillColor(Black);
        stage.canvas.circle(add16(x, 250), add16(y, 150), pupil, Black);
        pupil = add16(pupil, 1);
    }
}

void drawBrow(Stage& stage, const std::int16_t& x1, const std::int16_t& y1, const std::int16_t& x2,
              const std::int16_t& y2) {
    std::int16_t& shift = stage.counterA;
    shift = 1;
    stroke(stage, x1, y1, x2, y2, Black);
    while (shift < 600) {
        stroke(stage, sub16(x1, shift), y1, sub16(x2, shift), y2, Black);
        shift = add16(shift, 1);
    }
}

void drawTail(Stage& stage, const double& x1, const double& y1, const double& x2,
              const double& y2) {
    std::int16_t& k = stage.counterA;
    k = 1;
    while (k < 2250) {
        stage.canvas.line(static_cast<float>(x1), static_cast<float>(y1 + mul16(2, k)),
                          static_cast<float>(x2), static_cast<float>(y2 + k), Red);
        k = add16(k, 1);
    }
}

void drawSpikes(Stage& stage, const std::int16_t& a1, const std::int16_t& a2,
                const std::int16_t& a3, const std::int16_t& a4) {
    stage.counterA = 1;
    stage.counterB = 1;
    stage.counterC = 1;
    stage.counterD = 1;
    stage.counterE = 1;

    // Broad wedge rising up and left out of the window.
    for (std::int16_t& k = stage.counterE; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(a1, 300), k), a2, sub16(sub16(a3, 5000), mul16(4, k)),
               sub16(a4, 3200), Maroon);
    }
    // Long narrow blade rising to the right.
    for (std::int16_t& k = stage.counterA; k < 1500; k = add16(k, 1)) {
        stroke(stage, add16(sub16(a1, 1500), k), a2, add16(add16(a3, 5000), mul16(2, k)), a4,
               Maroon);
    }
    // Flat band running left to the window's edge.
    for (std::int16_t& k = stage.counterB; k < 2200; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(a1, 2200), k), a2, sub16(sub16(a3, 3000), k), add16(a4, 1000),
               Maroon);
    }
    // Wedge running left whose far end fans downwards.
    for (std::int16_t& k = stage.counterC; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(sub16(a1, 2200), k), a2, sub16(sub16(a3, 5000), k),
               add16(add16(a4, 1000), k), Maroon);
    }
    // Crossing segments whose envelope hugs the body's upper left.
    for (std::int16_t& k = stage.counterD; k < 2500; k = add16(k, 1)) {
        stroke(stage, sub16(a1, 5500), add16(add16(a2, 1000), k), sub16(add16(a3, 75), k),
               add16(a4, 1300), Maroon);
    }
}

void redrawBeast(Stage& stage) {
    // Fresh variables per call: drawBody advances its radius in place.
    std::int16_t radius = 2999;
    drawBody(stage, radius);

    const std::int16_t eyeX = 5500, eyeY = 3000, eyeR = 500;
    drawEye(stage, eyeX, eyeY, eyeR);

    const std::int16_t browX1 = 5450, browY1 = 2400, browX2 = 6500, browY2 = 3200;
    drawBrow(stage, browX1, browY1, browX2, browY2);

    const std::int16_t tailX1 = 0, tailY1 = 4500, tailX2 = 2000, tailY2 = 2500;
    drawTail(stage, tailX1, tailY1, tailX2, tailY2);

    const std::int16_t spikeA1 = 5500, spikeA2 = 2000, spikeA3 = 4000, spikeA4 = 500;
    drawSpikes(stage, spikeA1, spikeA2, spikeA3, spikeA4);
}
