#pragma once

#include "canvas/Canvas.h"

#include <array>
#include <cstdint>

// The goblin's figure without its wedge, shared by the standing goblin and the one being
// reeled in. Every piece is placed by offsets from the lower-right corner of the client area: a
// centre (or a line's start) at (W - a, H - b), a line's end at (W - a2, H - b2).
struct FigurePiece {
    enum class Kind { Circle, Ellipse, Line };
    Kind kind;
    float a, b;
    float radius = 0;
    float aspect = 1.0f;
    float a2 = 0, b2 = 0;
};

// The goblin's head and body radii, standing, burnt or reeled in.
inline constexpr std::int16_t GoblinHeadRadius = 600;
inline constexpr std::int16_t GoblinBodyRadius = 700;

// Head, body, arms, feet, brows and mouth, in the order they are painted.
using GoblinFigure = std::array<FigurePiece, 9>;
GoblinFigure goblinFigure(float headRadius, float bodyRadius);
inline constexpr int LeftFootPiece = 4;

// Paints one piece shifted left by dx and up by dy, reading the client size just before, so that
// a resize while the figure is painted moves the rest of it along.
void paintPiece(Canvas& canvas, const FigurePiece& piece, float dx, float dy, Color colour);
