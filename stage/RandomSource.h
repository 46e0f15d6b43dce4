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

    // Where the sequence stands: a source resumed there, whose clock reads what this one's read
    // from then on, draws the same values.
    std::uint64_t position() const { return state_; }
    static RandomSource resumedAt(std::uint64_t position, Clock clock);
    // The clock an unseeded source reads.
    static std::uint64_t systemClock();

    // The next value in [0, 1).
    float nextRandom();
    void reseedRandom();

  private:
    struct Resumed {};
    RandomSource(Resumed, std::uint64_t state, Clock clock);
    std::uint64_t next();

    std::uint64_t state_;
    Clock clock_;
};
