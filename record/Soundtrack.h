#pragma once

#include "sound/Mixer.h"
#include "sound/Speaker.h"

#include <cstdint>
#include <vector>

// The speaker of a recording: keeps the cues on the recording's own clock, each picture's marks
// placed from where that picture starts on it, and mixes them once the tour has played. The
// recording keeps nominal time, so the cues sound as at speed 1 whatever speed the window has.
class Soundtrack final : public Speaker {
  public:
    // The picture about to play starts at this time of the recording.
    void setOffset(std::int64_t ns) { offsetNs_ = ns; }

    void start(Cue cue, std::int64_t nominalNs) override;
    void stop(Cue cue, std::int64_t nominalNs) override;
    void play(Cue cue, std::int64_t nominalNs) override;
    void setPace(double) override {}

    // Every cue mixed from the recording's start, with silence up to `endNs` at least: a
    // soundtrack as long as the pictures, unless the last cue fades out after them.
    std::vector<std::int16_t> mix(std::int64_t endNs) const;

  private:
    void mark(Mixer::Event::Kind kind, Cue cue, std::int64_t nominalNs);

    std::int64_t offsetNs_ = 0;
    std::vector<Mixer::Event> events_;
};
