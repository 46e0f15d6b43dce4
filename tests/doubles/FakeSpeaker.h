#pragma once

#include "CueLog.h"
#include "sound/Speaker.h"

#include <vector>

// Keeps the marks that reach it, and every pace it is given.
class FakeSpeaker : public Speaker {
  public:
    void start(Cue cue, std::int64_t nominalNs) override { log.start(cue, nominalNs); }
    void stop(Cue cue, std::int64_t nominalNs) override { log.stop(cue, nominalNs); }
    void play(Cue cue, std::int64_t nominalNs) override { log.play(cue, nominalNs); }
    void setPace(double speed) override { paces.push_back(speed); }

    // How many marks of this kind and cue arrived.
    int count(Mixer::Event::Kind kind, Cue cue) const {
        int found = 0;
        for (const CueLog::Mark& mark : log.marks())
            found += mark.kind == kind && mark.cue == cue;
        return found;
    }

    CueLog log;
    std::vector<double> paces;
};
