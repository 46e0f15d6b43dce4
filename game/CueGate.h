#pragma once

#include "sound/Speaker.h"
#include "stage/Sound.h"

#include <bitset>
#include <cstdint>

// Between the painters' marks and a front end's speaker: lets through only what the player is
// meant to hear (not a picture painted at once, nor a link's steps played before the first
// click), and stops the continuous cues still sounding when the sound must end where it stands.
class CueGate final : public Sound {
  public:
    void setSpeaker(Speaker* speaker) { speaker_ = speaker; }
    Speaker* speaker() const { return speaker_; }
    // Marks pass while open.
    void setOpen(bool open) { open_ = open; }
    // Stops every continuous cue still sounding.
    void hush();

    void start(Cue cue, std::int64_t nominalNs) override;
    void stop(Cue cue, std::int64_t nominalNs) override;
    void play(Cue cue, std::int64_t nominalNs) override;

  private:
    Speaker* speaker_ = nullptr;
    bool open_ = false;
    std::bitset<CueCount> sounding_;
    std::int64_t lastNs_ = 0;
};
