#pragma once

#include "StageFixture.h"

#include <functional>
#include <string>
#include <vector>

// A stage whose timeline tells primitives and pauses apart (a primitive costs a million
// nanoseconds, a pause unit one, pixels nothing) and logs every step in order.
struct AttackTrace : StageFixture, Timeline::Sync {
    AttackTrace() : StageFixture(Tempo{1000000, 0, 1}) { timeline.setSync(this); }

    void reached(std::int64_t nominalNs) override {
        const auto delta = static_cast<int>(nominalNs - last);
        last = nominalNs;
        pauseUnits.push_back(delta >= 1000000 ? 0 : delta);
        if (afterStep)
            afterStep(pauseUnits.size());
    }

    // The steps as a string: 'p' for a primitive, the units for a pause.
    std::string Pattern() const {
        std::string out;
        for (const int units : pauseUnits)
            out += units == 0 ? "p" : std::to_string(units);
        return out;
    }
    static std::string Repeat(const std::string& s, int n) {
        std::string out;
        while (n-- > 0)
            out += s;
        return out;
    }

    std::vector<int> pauseUnits; // per step, 0 for a primitive
    std::int64_t last = 0;
    std::function<void(std::size_t)> afterStep; // e.g. to resize the window mid-animation
};
