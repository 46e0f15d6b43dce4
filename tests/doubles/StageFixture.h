#pragma once

#include "CueLog.h"
#include "FakeControls.h"
#include "RecordingCanvas.h"
#include "pacing/PacedCanvas.h"
#include "stage/Stage.h"

#include <cstdint>

// The seed of every test stage and session. Their clocks never move, so a twin
// RandomSource(TestSeed, StillClock) replays their draws.
inline constexpr std::uint64_t TestSeed = 12345;
inline std::uint64_t StillClock() {
    return 0;
}

// A stage painting on a test canvas through the pacing, at the given tempo (at the default client
// size, 15360 x 10800 twips, unless the canvas says otherwise), its sound marks kept in `cues`.
template <typename Surface> struct StageOn {
    explicit StageOn(Tempo tempo = Tempo()) : timeline(tempo) {}
    StageOn(const StageOn&) = delete;
    StageOn& operator=(const StageOn&) = delete;

    double nominalSeconds() const { return static_cast<double>(timeline.nominalNs()) * 1e-9; }

    Surface surface;
    FakeControls controls;
    Timeline timeline;
    PacedCanvas paced{surface, timeline};
    RandomSource random{TestSeed, StillClock};
    CueLog cues;
    Stage stage{paced, random, timeline, controls, cues};
};

using StageFixture = StageOn<RecordingCanvas>;
