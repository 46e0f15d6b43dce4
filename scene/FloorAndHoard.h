#pragma once

#include "stage/Stage.h"

#include <cstdint>

// The dungeon floor: 499 brown lines built up from just above the bottom edge, placed from the
// client size read afresh for every line.
Painting drawFloor(Stage& stage);

// The gold hoard: 4999 coins of the given horizontal radius, each dropped at random into one of
// twenty rows of a heap at fixed coordinates, in a random gold colour.
Painting drawGoldHoard(Stage& stage, std::int16_t radius);
