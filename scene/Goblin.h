#pragma once

#include "scene/GoblinFigure.h"
#include "stage/Stage.h"

#include <cstdint>

// The goblin, anchored to the lower-right corner of the client area and following it as the
// window is resized. r1 is the head radius, r2 the body radius (the story uses GoblinHeadRadius and
// GoblinBodyRadius); everything else is fixed.
Painting drawGoblin(Stage& stage, std::int16_t r1, std::int16_t r2);

// The same figure burnt black with a white face and a black wedge.
Painting drawCharredGoblin(Stage& stage, std::int16_t r1, std::int16_t r2);
