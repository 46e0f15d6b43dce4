#pragma once

#include "stage/Sound.h"

// The sink where no sound is wanted: a replay, the icon, a picture painted at once.
class Silence final : public Sound {
  public:
    // Holds nothing, so one serves every stage.
    static Silence& shared() {
        static Silence silence;
        return silence;
    }

    void start(Cue, std::int64_t) override {}
    void stop(Cue, std::int64_t) override {}
    void play(Cue, std::int64_t) override {}
};
