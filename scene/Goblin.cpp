#include "scene/Goblin.h"

#include "canvas/Palette.h"
#include "scene/GoblinFigure.h"
#include "stage/Numeric.h"

namespace {

struct GoblinColours {
    Color body;  // head, body, arms and feet, inside and outline
    Color face;  // brows and mouth
    Color wedge; // the triangle held out to the upper left
};

constexpr GoblinColours Living{Palette::GoblinGreen, Palette::Black, Palette::WedgeGrey};
constexpr GoblinColours Charred{Palette::Black, Palette::White, Palette::Black};

// By value: a coroutine must not keep references to what its caller passed.
Painting paintGoblin(Stage& stage, std::int16_t r1, std::int16_t r2, GoblinColours colours) {
    Canvas& canvas = stage.canvas;
    // One fill colour serves all six ellipses.
    canvas.setFillColor(colours.body);
    const GoblinFigure figure = goblinFigure(r1, r2);
    for (const FigurePiece& piece : figure) {
        paintPiece(canvas, piece, 0, 0,
                   piece.kind == FigurePiece::Kind::Line ? colours.face : colours.body);
        co_await stage.drawn();
    }

    // The wedge: 399 lines from one apex to a base that steps a twip to the right each time.
    // The corner is read again before every line, so that a resize moves the rest along.
    for (std::int16_t k = 1; k < 400; k = add16(k, 1)) {
        const float w = canvas.width();
        const float h = canvas.height();
        canvas.line(w - 3100, h - 2500, (w - 2900) + static_cast<float>(k), h - 1500,
                    colours.wedge);
        co_await stage.drawn();
    }
}

} // namespace

Painting drawGoblin(Stage& stage, std::int16_t r1, std::int16_t r2) {
    stage.playCue(Cue::Pop);
    co_await paintGoblin(stage, r1, r2, Living);
}

Painting drawCharredGoblin(Stage& stage, std::int16_t r1, std::int16_t r2) {
    co_await paintGoblin(stage, r1, r2, Charred);
}
