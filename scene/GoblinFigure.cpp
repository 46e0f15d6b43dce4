#include "scene/GoblinFigure.h"

GoblinFigure goblinFigure(float headRadius, float bodyRadius) {
    using Kind = FigurePiece::Kind;
    return {{{Kind::Circle, 2000, 2000, headRadius},
             {Kind::Circle, 2000, 1000, bodyRadius},
             {Kind::Ellipse, 2500, 1500, 200, 0.2f},          // left arm
             {Kind::Ellipse, 1500, 1500, 200, 0.2f},          // right arm
             {Kind::Ellipse, 2500, 400, 300, 0.4f},           // left foot
             {Kind::Ellipse, 1500, 400, 300, 0.4f},           // right foot
             {Kind::Line, 2300, 2200, 0, 1.0f, 2100, 2000},   // left brow
             {Kind::Line, 1800, 2200, 0, 1.0f, 2000, 2000},   // right brow
             {Kind::Line, 2300, 1700, 0, 1.0f, 1700, 1700}}}; // mouth
}

void paintPiece(Canvas& canvas, const FigurePiece& piece, float dx, float dy, Color colour) {
    const float width = canvas.width();
    const float height = canvas.height();
    const float x = (width - piece.a) - dx;
    const float y = (height - piece.b) - dy;
    switch (piece.kind) {
    case FigurePiece::Kind::Circle:
        canvas.circle(x, y, piece.radius, colour);
        break;
    case FigurePiece::Kind::Ellipse:
        canvas.ellipse(x, y, piece.radius, colour, piece.aspect);
        break;
    case FigurePiece::Kind::Line:
        canvas.line(x, y, (width - piece.a2) - dx, (height - piece.b2) - dy, colour);
        break;
    }
}
