#include "attacks/Chewing.h"

#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "stage/Numeric.h"

namespace {

using namespace Palette;

// The jaw's lower corner, straight below the centre of the body: the jaw fan's first line ends
// here, and the band under the jaw runs down from it.
constexpr std::int16_t JawX = BodyX;
constexpr std::int16_t JawY = 5300;

// Jaw fan lines first..last in body red, about the centre of the body; all of them together fill
// the jaw triangle, a tail of them shuts the mouth again over a wedge. The index one past the
// last line is the jaw tip, where the next opening aims its first ray.
Painting fillJaw(Stage& stage, std::int16_t first, std::int16_t last) {
    for (std::int16_t ray = first; ray <= last; ray = add16(ray, 1)) {
        const double endX = JawX + 0.23 * ray;
        const double endY = JawY - 0.1 * ray;
        stage.canvas.line(BodyX, BodyY, static_cast<float>(endX), static_cast<float>(endY), Red);
        co_await stage.drawn();
    }
}

constexpr std::int16_t JawEnd = 12249;
constexpr std::int16_t JawTip = JawEnd + 1;

// Opens the mouth slowly, one background line and pause(30) per step: the first ray aims at the
// jaw tip, each next one a twip further left and down.
Painting openWedge(Stage& stage, std::int16_t jawTip, std::int16_t steps) {
    for (std::int16_t step = 0; step < steps; step = add16(step, 1)) {
        const double endX = JawX + 0.23 * jawTip - step;
        const double endY = JawY - 0.1 * jawTip + step;
        stage.canvas.line(BodyX, BodyY, static_cast<float>(endX), static_cast<float>(endY),
                          stage.canvas.background());
        co_await stage.drawn();
        co_await stage.pause(30);
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

Painting chewGoblin(Stage& stage) {
    Canvas& canvas = stage.canvas;

    // Clear a band under the jaw line, 4 twips lower per line.
    for (std::int16_t k = 0; k <= 499; k = add16(k, 1)) {
        const double startY = 4068.5 + 4.0 * k;
        const std::int16_t endY = add16(JawY, mul16(4, k));
        canvas.line(6818.5f, static_cast<float>(startY), JawX, endY, canvas.background());
        co_await stage.drawn();
    }

    // Shut on the goblin whole.
    stage.playCue(Cue::Gulp);
    co_await fillJaw(stage, 0, JawEnd);

    canvas.arc(2500, 3500, 400, DarkRed, static_cast<float>(3.14 / 3),
               static_cast<float>(9.42 / 2 - 1));
    co_await stage.drawn();

    co_await openWedge(stage, JawTip, 500);
    canvas.setFillColor(GoblinGreen);
    dropScrap(canvas, 800, 0, 200);
    co_await stage.drawn();
    dropScrap(canvas, 1000, 0, 100);
    co_await stage.drawn();
    stage.playCue(Cue::Chew);
    co_await fillJaw(stage, 8000, JawEnd);

    // Second chew, wider.
    co_await openWedge(stage, JawTip, 800);
    canvas.setFillColor(GoblinGreen);
    dropScrap(canvas, 800, 400, 300, 0.5f);
    co_await stage.drawn();
    dropScrap(canvas, 1000, 0, 100);
    co_await stage.drawn();
    stage.playCue(Cue::Chew);
    co_await fillJaw(stage, 6000, JawEnd);
}
