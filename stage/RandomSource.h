#pragma once

#include <cstdint>
#include <functional>

// The game's uniform pseudo-random sequence. ReseedRandom folds a clock reading into the current
// state instead of replacing it, so reseeds within one clock tick still give fresh values.
class RandomSource {
  public:
    using Clock = std::function<std::uint64_t()>;

    // Seeded from the system clock and reseeded from it: no two runs repeat.
    RandomSource();
    // A fixed seed and an injected clock; with a constant clock the sequence repeats exactly.
    RandomSource(std::uint64_t seed, Clock clock);

    // The next value in [0, 1).
    float nextRandom();
    void reseedRandom();

  private:
    std::uint64_t next();

    std::uint64_t state_;
    Clock clock_;
};
