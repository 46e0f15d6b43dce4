#include "attacks/Devour.h"

#include "attacks/Pacing.h"
#include "stage/Numeric.h"

#include <iterator>

namespace {

constexpr Color TongueRed = RGB(200, 0, 0);
constexpr Color GoblinGreen = RGB(0, 120, 0);
constexpr Color FaceBlack = RGB(0, 0, 0);

enum class Scheme { Painted, Erased };
enum class Kind { Circle, Ellipse, Line };

// One primitive of the goblin, as offsets from the lower-right corner: the centre (or the start
// of a line) lies at (W - a, H - b), a line's end at (W - a2, H - b2).
struct Row {
    Kind kind;
    float a, b;
    float radius = 0;
    float aspect = 1.0f;
    float a2 = 0, b2 = 0;
};

// The standing goblin without its wedge, head and body radii 600 and 700.
constexpr Row Figure[] = {{Kind::Circle, 2000, 2000, 600},                // head
                          {Kind::Circle, 2000, 1000, 700},                // body
                          {Kind::Ellipse, 2500, 1500, 200, 0.2f},         // left arm
                          {Kind::Ellipse, 1500, 1500, 200, 0.2f},         // right arm
                          {Kind::Ellipse, 2500, 400, 300, 0.4f},          // left foot
                          {Kind::Ellipse, 1500, 400, 300, 0.4f},          // right foot
                          {Kind::Line, 2300, 2200, 0, 1.0f, 2100, 2000},  // left brow
                          {Kind::Line, 1800, 2200, 0, 1.0f, 2000, 2000},  // right brow
                          {Kind::Line, 2300, 1700, 0, 1.0f, 1700, 1700}}; // mouth
// The final pose leaves out the fifth row, the left foot.
constexpr int LeftFoot = 4;

// Draws the goblin moved by (-2 pull, -pull). The erased scheme reads BackColor afresh for the
// fill and for every primitive; the size is read before every primitive so that a resize takes
// effect at once.
void DrawFigure(Stage& stage, const std::int16_t& pull, Scheme scheme, bool withLeftFoot) {
    Canvas& canvas = stage.canvas;
    const bool erased = scheme == Scheme::Erased;
    canvas.FillColor(erased ? canvas.BackColor() : GoblinGreen);
    for (int row = 0; row < std::ssize(Figure); ++row) {
        if (row == LeftFoot && !withLeftFoot)
            continue;
        const Row& r = Figure[row];
        const Color colour =
            erased ? canvas.BackColor() : (r.kind == Kind::Line ? FaceBlack : GoblinGreen);
        const float width = canvas.ScaleWidth();
        const float height = canvas.ScaleHeight();
        const std::int16_t twoPull = mul16(2, pull);
        const float x = (width - r.a) - twoPull;
        const float y = (height - r.b) - pull;
        switch (r.kind) {
        case Kind::Circle:
            canvas.Circle(x, y, r.radius, colour);
            break;
        case Kind::Ellipse:
            canvas.Circle(x, y, r.radius, colour, r.aspect);
            break;
        case Kind::Line:
            canvas.Line(x, y, (width - r.a2) - twoPull, (height - r.b2) - pull, colour);
            break;
        }
    }
}

} // namespace

void DevourGoblin(Stage& stage, const std::int16_t& x0, const std::int16_t& y0) {
    Canvas& canvas = stage.canvas;
    // The start point is read once, before anything can change it.
    std::int16_t tongueX = x0;
    std::int16_t tongueY = y0;

    // Open the mouth: the pivot is the centre of the body, not the tongue's start.
    SweepErase(stage, 4000, 3500, 1.0, 0.5);

    // The tongue: two touching lines of slope 1/2 growing two twips a pass, with no pause; the
    // drawing speed alone makes it visible.
    stage.counterA = 0;
    do {
        canvas.Line(tongueX, sub16(tongueY, 1), add16(tongueX, 2), tongueY, TongueRed);
        canvas.Line(tongueX, tongueY, add16(tongueX, 2), add16(tongueY, 1), TongueRed);
        tongueX = add16(tongueX, 2);
        tongueY = add16(tongueY, 1);
        stage.counterA = add16(stage.counterA, 1);
    } while (stage.counterA < 4550);
    stage.counterA = 0;

    // Reel the goblin in along the tongue's slope. It is on screen during the pause; erasing
    // over-paints whatever lay under it, which is never restored.
    std::int16_t pull = 0;
    do {
        DrawFigure(stage, pull, Scheme::Painted, true);
        Pause(stage, 5);
        DrawFigure(stage, pull, Scheme::Erased, true);
        pull = add16(pull, 10);
    } while (pull < 4300);

    // The final pose stays on screen.
    DrawFigure(stage, pull, Scheme::Painted, false);
}
