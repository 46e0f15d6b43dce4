#pragma once

#include "FakeView.h"
#include "RecordingCanvas.h"
#include "pacing/PacedCanvas.h"
#include "stage/Stage.h"

// A stage over a recording canvas at the default client size (15360 x 10800 twips), paced by
// the default tempo, with a deterministic random source whose clock never moves.
struct StageFixture {
    explicit StageFixture(float scaleWidth = 15360, float scaleHeight = 10800)
        : recording(scaleWidth, scaleHeight) {}

    RecordingCanvas recording;
    Timeline timeline;
    PacedCanvas paced{recording, timeline};
    RandomSource random{12345, [] { return 0ull; }};
    FakeView view;
    Stage stage{paced, random, timeline, view};

    double NominalSeconds() const { return static_cast<double>(timeline.NominalNs()) * 1e-9; }
};
