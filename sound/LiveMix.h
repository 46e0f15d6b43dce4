#pragma once

#include "sound/Mixer.h"
#include "sound/Speaker.h"

#include <cstdint>
#include <mutex>
#include <span>

// The cues as a live front end plays them: each mark sounds from the next sample its audio
// output asks for, whatever the mark's nominal time, since the picture it belongs to is being
// shown now. The output may ask from a thread of its own.
class LiveMix final : public Speaker {
  public:
    void start(Cue cue, std::int64_t nominalNs) override;
    void stop(Cue cue, std::int64_t nominalNs) override;
    void play(Cue cue, std::int64_t nominalNs) override;
    void setPace(double speed) override;

    // Muted, marks are dropped and what sounds fades out at once.
    void setMuted(bool muted);
    bool muted() const;

    // The next samples; silence when nothing sounds.
    void render(std::span<std::int16_t> block);
    // Whether render() would give silence: nothing sounds and nothing waits.
    bool quiet() const;

  private:
    void now(Mixer::Event event);

    mutable std::mutex mutex_;
    Mixer mixer_;
    bool muted_ = false;
    double gain_ = 1.0;
};
