#pragma once

#include "FakeControls.h"
#include "RecordingCanvas.h"
#include "game/Session.h"

// A game over a recording canvas at the default client size (15360 x 10800 twips), paced by the
// default tempo, with a fixed seed.
struct StageFixture {
    explicit StageFixture(float scaleWidth = 15360, float scaleHeight = 10800)
        : recording(scaleWidth, scaleHeight) {}

    RecordingCanvas recording;
    FakeControls controls;
    Session session{recording, controls, 12345};
    Stage& stage = session.stage();
    Timeline& timeline = session.timeline();

    double nominalSeconds() const { return static_cast<double>(timeline.nominalNs()) * 1e-9; }
};
