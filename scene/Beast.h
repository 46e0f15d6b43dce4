#pragma once

#include "stage/Stage.h"

#include <cstdint>

// The player's beast, in the one pose the story paints it in; the icon paints its head from the
// same numbers.

// The centre of the body, which the jaw and the mouth sweeps turn about, and the full-grown
// body's horizontal radius.
inline constexpr std::int16_t BodyX = 4000, BodyY = 3500, BodyRadius = 2999;
inline constexpr std::int16_t EyeX = 5500, EyeY = 3000, EyeRadius = 500;
// The brow's first segment; the rest step left from it.
inline constexpr std::int16_t BrowX1 = 5450, BrowY1 = 2400, BrowX2 = 6500, BrowY2 = 3200;
// The mouth, low on the body's right: the fire ball and the flame breath open it with a sweep
// about this point, and the tongue starts from it.
inline constexpr std::int16_t MouthX = 4000, MouthY = 4000;

// The body: a red ellipse centred at (BodyX, BodyY) that grows one twip of radius per pass from
// the given radius up to BodyRadius (nothing if it starts larger). Blanks the label first.
Painting drawBody(Stage& stage, std::int16_t radius);

// The eye at (x, y): a black rim, a white eyeball 50 twips smaller, then a round black pupil of
// radius 149 below and to the right of the centre.
Painting drawEye(Stage& stage, std::int16_t x, std::int16_t y, std::int16_t r);

// The brow: 600 black segments, the first from (x1, y1) to (x2, y2), each next one a twip left.
Painting drawBrow(Stage& stage, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);

// The tail: 2249 red segments widening downwards. Its arguments are untyped numbers, so the
// step terms are added without 16-bit overflow.
Painting drawTail(Stage& stage, double x1, double y1, double x2, double y2);

// Five dark-red wedges of lines fanning out from the top of the body: each line runs from near
// the root (rootX, rootY) to a far end placed from (reachX, reachY).
Painting drawSpikes(Stage& stage, std::int16_t rootX, std::int16_t rootY, std::int16_t reachX,
                    std::int16_t reachY);

// The whole beast, its body growing from the given radius: from 1 it grows while the player
// watches, from BodyRadius it is there at once.
Painting drawBeast(Stage& stage, std::int16_t bodyRadius);
