#pragma once

#include <cstdint>

// White noise from a generator of the sound's own (xorshift32), so that the painters' random
// source, and with it the hoards and the flames, never hears of it. Seeded per cue, so each
// cue's samples repeat exactly.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed | 1u) {}

    // Uniform in [-1, 1).
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

  private:
    std::uint32_t state_;
};
