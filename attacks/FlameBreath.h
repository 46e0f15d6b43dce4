#pragma once

#include "stage/Stage.h"

#include <cstdint>

// The FLAME BREATH attack: opens the mouth with a sweep pivoting on the mouth (MouthX, MouthY),
// then sprays five bursts from the point (x, y) with blues 50, 40, 30, 20, 0. Nothing is erased
// afterwards.
Painting breatheFlame(Stage& stage, std::int16_t x, std::int16_t y);

// One burst of 999 flame lines in rgb(255, random green, blue), each followed by pause(20). Each
// line starts in the 50 x 50 square below and right of (x, y) and ends at a random even offset
// of at most 2998 twips from the lower-right corner.
Painting sprayFlames(Stage& stage, std::int16_t blue, std::int16_t x, std::int16_t y);
