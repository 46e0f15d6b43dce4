#include "attacks/Devour.h"

#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "scene/GoblinFigure.h"
#include "stage/Numeric.h"

#include <iterator>

namespace {

enum class Scheme { Painted, Erased };

// Draws the goblin moved by (-2 pull, -pull). The erased scheme reads background() afresh for
// the fill and for every primitive.
Painting drawFigure(Stage& stage, std::int16_t pull, Scheme scheme, bool withLeftFoot) {
    Canvas& canvas = stage.canvas;
    const bool erased = scheme == Scheme::Erased;
    canvas.setFillColor(erased ? canvas.background() : Palette::GoblinGreen);
    const GoblinFigure figure = goblinFigure(GoblinHeadRadius, GoblinBodyRadius);
    for (int piece = 0; piece < std::ssize(figure); ++piece) {
        if (piece == LeftFootPiece && !withLeftFoot)
            continue;
        const bool line = figure[piece].kind == FigurePiece::Kind::Line;
        const Color colour =
            erased ? canvas.background() : (line ? Palette::Black : Palette::GoblinGreen);
        const std::int16_t twoPull = mul16(2, pull);
        paintPiece(canvas, figure[piece], twoPull, pull, colour);
        co_await stage.drawn();
    }
}

} // namespace

Painting devourGoblin(Stage& stage, std::int16_t tongueX, std::int16_t tongueY) {
    Canvas& canvas = stage.canvas;

    // Open the mouth: the pivot is the centre of the body, not the tongue's start.
    co_await sweepErase(stage, BodyX, BodyY, 1.0, 0.5);

    // The tongue: two touching lines of slope 1/2 growing two twips a pass, with no pause; the
    // drawing speed alone makes it visible.
    stage.startCue(Cue::Slurp);
    for (std::int16_t pass = 0; pass < 4550; pass = add16(pass, 1)) {
        canvas.line(tongueX, sub16(tongueY, 1), add16(tongueX, 2), tongueY, Palette::DarkRed);
        co_await stage.drawn();
        canvas.line(tongueX, tongueY, add16(tongueX, 2), add16(tongueY, 1), Palette::DarkRed);
        co_await stage.drawn();
        tongueX = add16(tongueX, 2);
        tongueY = add16(tongueY, 1);
    }
    stage.stopCue(Cue::Slurp);

    // Reel the goblin in along the tongue's slope. It is on screen during the pause; erasing
    // over-paints whatever lay under it, which is never restored.
    std::int16_t pull = 0;
    stage.startCue(Cue::ReelIn);
    do {
        co_await drawFigure(stage, pull, Scheme::Painted, true);
        co_await stage.pause(5);
        co_await drawFigure(stage, pull, Scheme::Erased, true);
        pull = add16(pull, 10);
    } while (pull < 4300);

    // The final pose stays on screen.
    co_await drawFigure(stage, pull, Scheme::Painted, false);
    stage.stopCue(Cue::ReelIn);
}
