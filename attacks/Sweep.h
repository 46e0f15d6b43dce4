#pragma once

#include "stage/Stage.h"

#include <cstdint>

// Wipes a fan out of the picture: 4999 background lines from the pivot (x, y), the far end
// starting at (x + 5000 - dx, y + 1000 + dy) and moving by (-dx, +dy) per line, each line
// followed by pause(10).
Painting sweepErase(Stage& stage, std::int16_t x, std::int16_t y, double dx, double dy);
