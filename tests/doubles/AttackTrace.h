#pragma once

#include "FakeControls.h"
#include "RecordingCanvas.h"
#include "game/Session.h"

#include <functional>
#include <string>
#include <vector>

// A stage whose timeline tells primitives and pauses apart (a primitive costs a million
// nanoseconds, a pause unit one, pixels nothing) and logs every step in order, with counterA
// as it stood. The random source is seeded like StageFixture's.
struct AttackTrace : Timeline::Sync {
    struct Step {
        int pauseUnits; // 0 for a primitive
        int counterA;
    };

    explicit AttackTrace(float width = 15360, float height = 10800) : recording(width, height) {
        timeline.setSync(this);
    }

    void reached(std::int64_t nominalNs) override {
        const auto delta = static_cast<int>(nominalNs - last);
        last = nominalNs;
        steps.push_back({delta >= 1000000 ? 0 : delta, stage.counterA});
        if (afterStep)
            afterStep(steps.size());
    }

    // The steps as a string: 'p' for a primitive, the units for a pause.
    std::string Pattern() const {
        std::string out;
        for (const Step& step : steps)
            out += step.pauseUnits == 0 ? "p" : std::to_string(step.pauseUnits);
        return out;
    }
    static std::string Repeat(const std::string& s, int n) {
        std::string out;
        while (n-- > 0)
            out += s;
        return out;
    }

    RecordingCanvas recording;
    FakeControls controls;
    Session session{recording, controls, 12345, Tempo{1000000, 0, 1}};
    Stage& stage = session.stage();
    Timeline& timeline = session.timeline();
    std::vector<Step> steps;
    std::int64_t last = 0;
    std::function<void(std::size_t)> afterStep; // e.g. to resize the window mid-animation
};
