#pragma once

#include <cstdint>

// The sounds the pictures mark. Continuous cues last from their start to their stop and follow
// the picture's pace; one-shots have a length and pitch of their own.
enum class Cue : std::uint8_t {
    // Continuous.
    Rumble, // the lair's body growing
    Chink,  // coins piling up
    Growl,  // the mouth opening, with an inhale
    Whoosh, // the fire balls growing
    Roar,   // the flames
    Slurp,  // the tongue shooting out
    ReelIn, // the goblin reeled in along it
    // One-shots.
    Pop,  // the goblin pops out of nowhere
    Boom, // the fire ball lands
    Chew, // the jaw shuts on a scrap
    Gulp, // the jaw shuts on the goblin
};
inline constexpr int CueCount = 11;

// Where the painters' sounds go. Each mark comes with the timeline's nominal time when it is
// made; a painter marks between primitives, so a start or a one-shot carries the time its
// first primitive begins and a stop the time its last one ends. Marks never touch the picture
// or the timeline.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void start(Cue cue, std::int64_t nominalNs) = 0;
    virtual void stop(Cue cue, std::int64_t nominalNs) = 0;
    virtual void play(Cue cue, std::int64_t nominalNs) = 0;
};
