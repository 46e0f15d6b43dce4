#pragma once

#include "sound/Voice.h"
#include "stage/Sound.h"

#include <cstdint>
#include <span>
#include <vector>

// Mixes the cues on a sample clock of its own, for a front end to pull blocks from as its
// audio device asks, or for a soundtrack rendered at once. Events wait for their sample; one
// whose sample has passed acts at the next one rendered.
//
// The continuous cues follow the picture's pace: a Rate event (the speed) re-times those
// sounding and those started after it. The mix goes through a peak limiter whose gain drops at
// once and recovers over a tenth of a second, so that no sample passes -1 dBFS however many cues
// overlap.
class Mixer {
  public:
    static constexpr int SampleRate = Voice::SampleRate;
    // -1 dBFS, as a fraction of full scale.
    static constexpr double Ceiling = 0.891;

    struct Event {
        enum class Kind : std::uint8_t { Start, Stop, Play, Rate };
        std::int64_t atSample = 0;
        Kind kind = Kind::Play;
        Cue cue = Cue::Pop; // Start, Stop and Play
        double rate = 1.0;  // Rate: nominal seconds per real second, above 0
    };

    // The sample a time in ns falls on, rounded.
    static std::int64_t sampleAt(std::int64_t ns) { return (ns * 48 + 500'000) / 1'000'000; }

    void schedule(const Event& event);
    // The next block.size() samples from position() on.
    void render(std::span<std::int16_t> block);
    std::int64_t position() const { return position_; }
    // Nothing sounds and nothing waits.
    bool quiet() const { return voices_.empty() && events_.empty(); }
    // Every cue stops where it is, and none waits any more; the pace stays.
    void silence();

    // Every event rendered from sample 0 until the last cue has faded: cues still sounding at
    // the last event stop there.
    static std::vector<std::int16_t> soundtrack(const std::vector<Event>& events);

  private:
    void act(const Event& event);
    double limit(double mix);

    std::int64_t position_ = 0;
    double rate_ = 1.0;
    // By sample, in the order scheduled; a few at a time, so a vector is smaller than a deque
    // for the page to carry.
    std::vector<Event> events_;
    std::vector<Voice> voices_;
    double peak_ = Ceiling;
};
