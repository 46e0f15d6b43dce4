#pragma once

#include "stage/Stage.h"

#include <cstdint>

// The player's beast. Every painter uses the stage's shared counters as its loop variables and
// takes its arguments by reference; only drawBody writes back to its argument.

// The centre of the body, which the jaw and the mouth sweeps turn about.
inline constexpr std::int16_t BodyX = 4000;
inline constexpr std::int16_t BodyY = 3500;

// The body: a red ellipse centred at (BodyX, BodyY) that grows one twip of radius per pass from r
// up to 2999. Blanks the label first and leaves r at 3000 (or unchanged if it was larger).
void drawBody(Stage& stage, std::int16_t& r);

// The eye at (x, y): a black rim, a white eyeball 50 twips smaller, then a round black pupil of
// radius 149 below and to the right of the centre.
void drawEye(Stage& stage, const std::int16_t& x, const std::int16_t& y, const std::int16_t& r);

// The brow: 600 black segments, the first from (x1, y1) to (x2, y2), each next one a twip left.
void drawBrow(Stage& stage, const std::int16_t& x1, const std::int16_t& y1, const std::int16_t& x2,
              const std::int16_t& y2);

// The tail: 2249 red segments widening downwards. Its arguments are untyped numbers, so the
// counter terms are added without 16-bit overflow.
void drawTail(Stage& stage, const double& x1, const double& y1, const double& x2, const double& y2);

// Five dark-red wedges of lines fanning out from the top of the body.
void drawSpikes(Stage& stage, const std::int16_t& a1, const std::int16_t& a2,
                const std::int16_t& a3, const std::int16_t& a4);

// The whole beast with its body painted at full size in one call.
void redrawBeast(Stage& stage);
