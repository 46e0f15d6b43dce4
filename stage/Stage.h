#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"
#include "stage/Label.h"
#include "stage/RandomSource.h"

#include <cstdint>

// Everything the painters share for the life of the game: the canvas they draw on, the random
// source, the timeline their pauses advance and the story's label.
struct Stage {
    Canvas& canvas;
    RandomSource& random;
    Timeline& timeline;
    Label& label;

    // Holds the animation for the given pause units; none or fewer does nothing. The attacks
    // have no other timing.
    void pause(std::int16_t units) { timeline.chargePause(units); }
};
