#include "scene/Goblin.h"

#include "stage/Numeric.h"

namespace {

struct GoblinColours {
    Color fill;    // inside of the head, body, arms and feet
    Color outline; // their outlines
    Color face;    // brows and mouth
    Color wedge;   // the triangle held out to the upper left
};

constexpr GoblinColours Living{RGB(0, 120, 0), RGB(0, 120, 0), RGB(0, 0, 0), RGB(200, 200, 200)};
constexpr GoblinColours Charred{RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)};

// The lower-right corner of the client area, read again before every primitive so that a
// resize while the figure is being painted moves the rest of it along.
struct Corner {
    float w;
    float h;
};

Corner ReadCorner(const Canvas& canvas) {
    const float w = canvas.ScaleWidth();
    const float h = canvas.ScaleHeight();
    return {w, h};
}

void PaintGoblin(Stage& stage, const std::int16_t& r1, const std::int16_t& r2,
                 const GoblinColours& colours) {
    Canvas& canvas = stage.canvas;
    std::int16_t& k = stage.counterA;
    k = 1;
    // One fill colour serves all six ellipses.
    canvas.FillColor(colours.fill);

    Corner c = ReadCorner(canvas);
    canvas.Circle(c.w - 2000, c.h - 2000, r1, colours.outline); // head
    c = ReadCorner(canvas);
    canvas.Circle(c.w - 2000, c.h - 1000, r2, colours.outline); // body
    c = ReadCorner(canvas);
    canvas.Circle(c.w - 2500, c.h - 1500, 200, colours.outline, 0.2f); // left arm
    c = ReadCorner(canvas);
    canvas.Circle(c.w - 1500, c.h - 1500, 200, colours.outline, 0.2f); // right arm
    c = ReadCorner(canvas);
    canvas.Circle(c.w - 2500, c.h - 400, 300, colours.outline, 0.4f); // left foot
    c = ReadCorner(canvas);
    canvas.Circle(c.w - 1500, c.h - 400, 300, colours.outline, 0.4f); // right foot

    c = ReadCorner(canvas);
    canvas.Line(c.w - 2300, c.h - 2200, c.w - 2100, c.h - 2000, colours.face); // left brow
    c = ReadCorner(canvas);
    canvas.Line(c.w - 1800, c.h - 2200, c.w - 2000, c.h - 2000, colours.face); // right brow
    c = ReadCorner(canvas);
    canvas.Line(c.w - 2300, c.h - 1700, c.w - 1700, c.h - 1700, colours.face); // mouth

    // The wedge: 399 lines from one apex to a base that steps a twip to the right each time.
    while (k < 400) {
        c = ReadCorner(canvas);
        canvas.Line(c.w - 3100, c.h - 2500, (c.w - 2900) + static_cast<float>(k), c.h - 1500,
                    colours.wedge);
        k = add16(k, 1);
    }
}

} // namespace

void DrawGoblin(Stage& stage, const std::int16_t& r1, const std::int16_t& r2) {
    PaintGoblin(stage, r1, r2, Living);
}

void DrawCharredGoblin(Stage& stage, const std::int16_t& r1, const std::int16_t& r2) {
    PaintGoblin(stage, r1, r2, Charred);
}
