#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"
#include "stage/Hold.h"
#include "stage/Label.h"
#include "stage/Painting.h"
#include "stage/RandomSource.h"
#include "stage/Sound.h"

#include <cstdint>

// Everything the painters share for the life of the game: the canvas they draw on, the random
// source, the timeline their pauses advance, the story's label and where their sounds go.
struct Stage {
    Canvas& canvas;
    RandomSource& random;
    Timeline& timeline;
    Label& label;
    Sound& sound;

    // Sound marks, at the timeline's time: made before a phase's first primitive and after its
    // last one.
    void startCue(Cue cue) { sound.start(cue, timeline.nominalNs()); }
    void stopCue(Cue cue) { sound.stop(cue, timeline.nominalNs()); }
    void playCue(Cue cue) { sound.play(cue, timeline.nominalNs()); }

    // Awaited after every primitive: where the picture may stop to be shown.
    Hold drawn() { return Hold(timeline); }
    // Holds the animation for the given pause units; none or fewer does nothing. The attacks
    // have no other timing. Awaited like a primitive.
    Hold pause(std::int16_t units) {
        timeline.chargePause(units);
        return Hold(timeline);
    }
};
