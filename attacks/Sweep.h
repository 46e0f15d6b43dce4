#pragma once

#include "stage/Stage.h"

#include <cstdint>

// Holds the animation for n pause units; n <= 0 does nothing. The attacks have no other timing.
void pause(Stage& stage, const std::int16_t& n);

// Wipes a fan out of the picture: 4999 background lines from the pivot (x, y), the far end
// starting at (x + 5000 - dx, y + 1000 + dy) and moving by (-dx, +dy) per line, each line
// followed by pause(10). Runs on counterA and leaves it at 5000.
void sweepErase(Stage& stage, const std::int16_t& x, const std::int16_t& y, const double& dx,
                const double& dy);
