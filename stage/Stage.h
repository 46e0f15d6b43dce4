#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"
#include "stage/Label.h"
#include "stage/RandomSource.h"

#include <cstdint>

// Everything the painters share for the life of the game: the canvas they draw on, the random
// source, the timeline their pauses advance and the story's label.
//
// counterA to counterE are the painters' loop variables, shared instead of locals: every painter
// sets each counter it uses before its first read, so none depends on what another left behind,
// and each painter's comment says what it leaves.
struct Stage {
    Canvas& canvas;
    RandomSource& random;
    Timeline& timeline;
    Label& label;
    std::int16_t counterA = 0;
    std::int16_t counterB = 0;
    std::int16_t counterC = 0;
    std::int16_t counterD = 0;
    std::int16_t counterE = 0;
};
