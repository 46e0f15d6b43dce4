#pragma once

#include "sound/Mixer.h"
#include "stage/Sound.h"

#include <cstdint>
#include <vector>

// A sink that keeps the painters' marks with their nominal times, and turns them into the
// mixer's events for a picture placed on the sample clock at a speed.
class CueLog : public Sound {
  public:
    struct Mark {
        Mixer::Event::Kind kind;
        Cue cue;
        std::int64_t nominalNs;
        bool operator==(const Mark&) const = default;
    };

    void start(Cue cue, std::int64_t nominalNs) override;
    void stop(Cue cue, std::int64_t nominalNs) override;
    void play(Cue cue, std::int64_t nominalNs) override;

    const std::vector<Mark>& marks() const { return marks_; }
    void clear() { marks_.clear(); }

    // The marks as the mixer's events for a picture whose nominal time 0 falls on `startSample`
    // and that plays at `speed` (above 0), the speed first.
    std::vector<Mixer::Event> events(std::int64_t startSample, double speed) const;

  private:
    std::vector<Mark> marks_;
};
