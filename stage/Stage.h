#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"
#include "stage/Controls.h"
#include "stage/RandomSource.h"

#include <cstdint>

// Everything the painters share for the life of the window: the canvas they draw on, the random
// source, the timeline their pauses advance, the controls, and the five loop counters they use
// instead of locals (each painter sets a counter before reading it).
struct Stage {
    Canvas& canvas;
    RandomSource& random;
    Timeline& timeline;
    GameView& view;
    std::int16_t counterA = 0;
    std::int16_t counterB = 0;
    std::int16_t counterC = 0;
    std::int16_t counterD = 0;
    std::int16_t counterE = 0;
};
