#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"
#include "stage/Hold.h"
#include "stage/Label.h"
#include "stage/Painting.h"
#include "stage/RandomSource.h"

#include <cstdint>

// Everything the painters share for the life of the game: the canvas they draw on, the random
// source, the timeline their pauses advance and the story's label.
struct Stage {
    Canvas& canvas;
    RandomSource& random;
    Timeline& timeline;
    Label& label;

    // Awaited after every primitive: where the picture may stop to be shown.
    Hold drawn() { return Hold(timeline); }
    // Holds the animation for the given pause units; none or fewer does nothing. The attacks
    // have no other timing. Awaited like a primitive.
    Hold pause(std::int16_t units) {
        timeline.chargePause(units);
        return Hold(timeline);
    }
};
