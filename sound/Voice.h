#pragma once

#include "sound/Noise.h"
#include "stage/Sound.h"

#include <array>
#include <cstdint>

// One cue sounding, sample by sample at 48 kHz, from a few oscillators, noise, envelopes and
// filters, in plain double arithmetic that rounds alike everywhere (no libm beyond floor).
//
// A continuous cue is shaped by its progress, the picture's nominal seconds since it started:
// at rate 2 its sweeps and swells run twice as fast while its oscillators keep their pitch, and
// it sounds until released, then fades out. A one-shot plays its own length at rate 1. Both fade
// in over their first milliseconds and end at silence, so neither clicks.
class Voice {
  public:
    static constexpr int SampleRate = 48000;

    explicit Voice(Cue cue, double rate = 1.0);

    static bool continuous(Cue cue) { return cue < Cue::Pop; }
    // A one-shot's length; for a continuous cue, the picture's phase its sweeps are shaped for.
    static std::int64_t designSamples(Cue cue);

    // Continuous cues only: nominal seconds per real second from the next sample on.
    void setRate(double rate);
    // A continuous cue fades out from the next sample; a one-shot plays on to its end.
    void release();

    // The next sample, 1 being full scale; 0 once done.
    double next();
    bool done() const;
    Cue cue() const { return cue_; }
    double progress() const { return progress_; }

  private:
    double synthesise();
    double rumble();
    double chink();
    double growl();
    double whoosh();
    double roar();
    double slurp();
    double reelIn();
    double pop();
    double boom();
    double chew();
    double gulp();

    // Oscillator i's next sine at this frequency.
    double tone(int i, double hz);
    // One-pole low-pass i; a band-pass (state-variable filter i) of the given damping.
    double lowPass(int i, double in, double hz);
    double bandPass(int i, double in, double hz, double damping);

    Cue cue_;
    double rate_;
    Noise noise_;
    std::int64_t samples_ = 0;       // real samples so far
    std::int64_t releasedAt_ = -1;   // a continuous cue's release, in real samples
    double progress_ = 0;            // nominal seconds so far
    std::array<double, 3> phases_{}; // oscillators, in turns
    std::array<double, 3> lows_{};   // one-pole low-pass states
    std::array<double, 2> svfLow_{}; // state-variable filters
    std::array<double, 2> svfBand_{};
    std::array<double, 3> decays_{1, 1, 1}; // envelopes that fall from the start (or a bite)
    // The coins' pings, each with its phase, pitch and level; the next is due at nextPing_.
    struct Ping {
        double phase = 0, hz = 0, level = 0;
    };
    std::array<Ping, 4> pings_{};
    int pingSlot_ = 0;
    double nextPing_ = 0;
    std::int64_t lastPing_ = -SampleRate;
};
