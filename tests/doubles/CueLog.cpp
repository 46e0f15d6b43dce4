#include "CueLog.h"

#include <cmath>

void CueLog::start(Cue cue, std::int64_t nominalNs) {
    marks_.push_back({Mixer::Event::Kind::Start, cue, nominalNs});
}

void CueLog::stop(Cue cue, std::int64_t nominalNs) {
    marks_.push_back({Mixer::Event::Kind::Stop, cue, nominalNs});
}

void CueLog::play(Cue cue, std::int64_t nominalNs) {
    marks_.push_back({Mixer::Event::Kind::Play, cue, nominalNs});
}

std::vector<Mixer::Event> CueLog::events(std::int64_t startSample, double speed) const {
    std::vector<Mixer::Event> events{
        {.atSample = startSample, .kind = Mixer::Event::Kind::Rate, .rate = speed}};
    for (const Mark& mark : marks_) {
        const auto realNs = std::llround(static_cast<double>(mark.nominalNs) / speed);
        events.push_back({.atSample = startSample + Mixer::sampleAt(realNs),
                          .kind = mark.kind,
                          .cue = mark.cue});
    }
    return events;
}
