#pragma once

#include "stage/Stage.h"

#include <cstdint>

// The EAT HIM attack: sweeps the lower-right sector out of the body, runs a dark-red tongue of
// slope 1/2 out from (tongueX, tongueY), reels the goblin in along it 430 times (painted,
// pause(5), erased) and leaves it in its final pose, without its left foot, near the mouth. The
// goblin is placed from the lower-right corner, read before every primitive. Leaves FillColor
// at the goblin green.
Painting devourGoblin(Stage& stage, std::int16_t tongueX, std::int16_t tongueY);
