#include "record/Soundtrack.h"

#include <algorithm>

void Soundtrack::mark(Mixer::Event::Kind kind, Cue cue, std::int64_t nominalNs) {
    events_.push_back(
        {.atSample = Mixer::sampleAt(offsetNs_ + nominalNs), .kind = kind, .cue = cue});
}

void Soundtrack::start(Cue cue, std::int64_t nominalNs) {
    mark(Mixer::Event::Kind::Start, cue, nominalNs);
}

void Soundtrack::stop(Cue cue, std::int64_t nominalNs) {
    mark(Mixer::Event::Kind::Stop, cue, nominalNs);
}

void Soundtrack::play(Cue cue, std::int64_t nominalNs) {
    mark(Mixer::Event::Kind::Play, cue, nominalNs);
}

std::vector<std::int16_t> Soundtrack::mix(std::int64_t endNs) const {
    std::vector<std::int16_t> samples = Mixer::soundtrack(events_);
    const auto end = static_cast<std::size_t>(Mixer::sampleAt(endNs));
    samples.resize(std::max(samples.size(), end));
    return samples;
}
