#include "sound/LiveMix.h"

#include <algorithm>
#include <cmath>

void LiveMix::now(Mixer::Event event) {
    const std::lock_guard lock(mutex_);
    if (muted_)
        return;
    event.atSample = mixer_.position();
    mixer_.schedule(event);
}

void LiveMix::start(Cue cue, std::int64_t) {
    now({.kind = Mixer::Event::Kind::Start, .cue = cue});
}

void LiveMix::stop(Cue cue, std::int64_t) {
    now({.kind = Mixer::Event::Kind::Stop, .cue = cue});
}

void LiveMix::play(Cue cue, std::int64_t) {
    now({.kind = Mixer::Event::Kind::Play, .cue = cue});
}

void LiveMix::setPace(double speed) {
    const std::lock_guard lock(mutex_);
    // Kept while muted too, for the cues that start after.
    mixer_.schedule(
        {.atSample = mixer_.position(), .kind = Mixer::Event::Kind::Rate, .rate = speed});
}

void LiveMix::setMuted(bool muted) {
    const std::lock_guard lock(mutex_);
    muted_ = muted;
}

bool LiveMix::muted() const {
    const std::lock_guard lock(mutex_);
    return muted_;
}

void LiveMix::render(std::span<std::int16_t> block) {
    const std::lock_guard lock(mutex_);
    mixer_.render(block);
    // Muting fades out over 10 ms rather than cutting a cue off with a click.
    constexpr double Step = 100.0 / Mixer::SampleRate;
    for (std::int16_t& sample : block) {
        gain_ = muted_ ? std::max(0.0, gain_ - Step) : std::min(1.0, gain_ + Step);
        sample = static_cast<std::int16_t>(std::lround(sample * gain_));
    }
    if (muted_ && gain_ == 0)
        mixer_.silence();
}

bool LiveMix::quiet() const {
    const std::lock_guard lock(mutex_);
    return mixer_.quiet();
}
