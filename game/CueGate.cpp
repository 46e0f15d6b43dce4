#include "game/CueGate.h"

namespace {

std::size_t indexOf(Cue cue) {
    return static_cast<std::size_t>(cue);
}

} // namespace

void CueGate::hush() {
    for (int cue = 0; cue < CueCount; ++cue)
        if (sounding_.test(static_cast<std::size_t>(cue)))
            stop(static_cast<Cue>(cue), lastNs_);
}

void CueGate::start(Cue cue, std::int64_t nominalNs) {
    lastNs_ = nominalNs;
    if (!open_ || !speaker_)
        return;
    sounding_.set(indexOf(cue));
    speaker_->start(cue, nominalNs);
}

// A cue that was heard starting is heard stopping, open or not.
void CueGate::stop(Cue cue, std::int64_t nominalNs) {
    lastNs_ = nominalNs;
    if (!sounding_.test(indexOf(cue)))
        return;
    sounding_.reset(indexOf(cue));
    if (speaker_)
        speaker_->stop(cue, nominalNs);
}

void CueGate::play(Cue cue, std::int64_t nominalNs) {
    lastNs_ = nominalNs;
    if (open_ && speaker_)
        speaker_->play(cue, nominalNs);
}
