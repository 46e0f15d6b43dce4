#include "sound/Mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// The limiter's peak falls back by e in 0.1 s.
constexpr double PeakFall = 1.0 - 10.0 / Mixer::SampleRate;

} // namespace

void Mixer::schedule(const Event& event) {
    const auto after =
        std::upper_bound(events_.begin(), events_.end(), event.atSample,
                         [](std::int64_t at, const Event& queued) { return at < queued.atSample; });
    events_.insert(after, event);
}

void Mixer::act(const Event& event) {
    switch (event.kind) {
    case Event::Kind::Start:
        voices_.emplace_back(event.cue, rate_);
        break;
    case Event::Kind::Play:
        voices_.emplace_back(event.cue);
        break;
    case Event::Kind::Stop:
        for (Voice& voice : voices_)
            if (voice.cue() == event.cue)
                voice.release();
        break;
    case Event::Kind::Rate:
        rate_ = event.rate;
        for (Voice& voice : voices_)
            voice.setRate(rate_);
        break;
    }
}

void Mixer::silence() {
    std::erase_if(events_, [](const Event& event) { return event.kind != Event::Kind::Rate; });
    voices_.clear();
}

double Mixer::limit(double mix) {
    peak_ = std::max(std::abs(mix), peak_ * PeakFall);
    return peak_ > Ceiling ? mix * (Ceiling / peak_) : mix;
}

void Mixer::render(std::span<std::int16_t> block) {
    for (std::int16_t& out : block) {
        auto due = events_.begin();
        while (due != events_.end() && due->atSample <= position_)
            act(*due++);
        events_.erase(events_.begin(), due);
        double mix = 0;
        for (Voice& voice : voices_)
            mix += voice.next();
        std::erase_if(voices_, [](const Voice& voice) { return voice.done(); });
        // Within the ceiling, so it never reaches the int16 limits.
        out = static_cast<std::int16_t>(std::lround(limit(mix) * 32767));
        ++position_;
    }
}

std::vector<std::int16_t> Mixer::soundtrack(const std::vector<Event>& events) {
    Mixer mixer;
    std::int64_t last = 0;
    for (const Event& event : events) {
        mixer.schedule(event);
        last = std::max(last, event.atSample);
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(last) + 1);
    mixer.render(samples);
    for (Voice& voice : mixer.voices_)
        voice.release();
    std::int16_t sample = 0;
    while (!mixer.quiet()) {
        mixer.render({&sample, 1});
        samples.push_back(sample);
    }
    return samples;
}
