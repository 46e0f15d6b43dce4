#include "attacks/Chewing.h"

#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "stage/Numeric.h"

namespace {

using namespace Palette;

// Everything in the jaw turns about the centre of the body.
constexpr float PivotX = BodyX;
constexpr float PivotY = BodyY;

// Jaw fan lines first..last in body red; all of them together fill the jaw triangle, a tail of
// them shuts the mouth again over a wedge.
void fillJaw(Stage& stage, std::int16_t first, std::int16_t last) {
    for (stage.counterA = first; stage.counterA <= last;
         stage.counterA = add16(stage.counterA, 1)) {
        const double endX = 4000 + 0.23 * stage.counterA;
        const double endY = 5300 - 0.1 * stage.counterA;
        stage.canvas.line(PivotX, PivotY, static_cast<float>(endX), static_cast<float>(endY), Red);
    }
}

// Opens the mouth slowly, one background line and pause(30) per step of counterB, until
// counterB reaches end. The first ray aims at the jaw tip through the 12250 that the last
// fillJaw left in counterA.
void openWedge(Stage& stage, std::int16_t end) {
    while (stage.counterB < end) {
        const double endX = 4000 + 0.23 * stage.counterA - stage.counterB;
        const double endY = 5300 - 0.1 * stage.counterA + stage.counterB;
        stage.canvas.line(PivotX, PivotY, static_cast<float>(endX), static_cast<float>(endY),
                          stage.canvas.background());
        pause(stage, 30);
        stage.counterB = add16(stage.counterB, 1);
    }
}

// A filled green scrap placed from the lower-right corner, where the goblin stood. The centre
// is the size minus the goblin's chain of offsets, in single precision.
void dropScrap(Canvas& canvas, float xStep, float xTrim, float radius, float aspect = 1.0f) {
    const float x = canvas.width() - 2000.0f - 8400.0f + xStep - xTrim;
    const float y = canvas.height() - 2000.0f - 4200.0f - 500.0f;
    if (aspect == 1.0f)
        canvas.circle(x, y, radius, GoblinGreen);
    else
        canvas.ellipse(x, y, radius, GoblinGreen, aspect);
}

} // namespace

void chewGoblin(Stage& stage) {
    Canvas& canvas = stage.canvas;
    stage.counterA = 0;
    stage.counterB = 0;

    // Clear a band under the jaw line, 4 twips lower per line.
    for (stage.counterA = 0; stage.counterA <= 499; stage.counterA = add16(stage.counterA, 1)) {
        const double startY = 4068.5 + 4.0 * stage.counterA;
        const std::int16_t endY = add16(5300, mul16(4, stage.counterA));
        canvas.line(6818.5f, static_cast<float>(startY), 4000, endY, canvas.background());
    }

    fillJaw(stage, 0, 12249);

    canvas.arc(2500, 3500, 400, DarkRed, static_cast<float>(3.14 / 3),
               static_cast<float>(9.42 / 2 - 1));

    // First chew: counterB is still 0 from entry.
    openWedge(stage, 500);
    canvas.setFillColor(GoblinGreen);
    dropScrap(canvas, 800, 0, 200);
    dropScrap(canvas, 1000, 0, 100);
    fillJaw(stage, 8000, 12249);

    // Second chew, wider.
    stage.counterB = 0;
    openWedge(stage, 800);
    canvas.setFillColor(GoblinGreen);
    dropScrap(canvas, 800, 400, 300, 0.5f);
    dropScrap(canvas, 1000, 0, 100);
    fillJaw(stage, 6000, 12249);
}
