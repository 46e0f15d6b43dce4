#include "stage/RandomSource.h"

#include <chrono>

namespace {

// splitmix64's finaliser: a bijective mix, so distinct states stay distinct.
std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t RandomSource::systemClock() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

RandomSource::RandomSource() : RandomSource(mix(systemClock()), systemClock) {}

RandomSource::RandomSource(std::uint64_t seed, Clock clock)
    : RandomSource(Resumed{}, mix(seed), std::move(clock)) {}

RandomSource::RandomSource(Resumed, std::uint64_t state, Clock clock)
    : state_(state), clock_(std::move(clock)) {}

RandomSource RandomSource::resumedAt(std::uint64_t position, Clock clock) {
    return RandomSource(Resumed{}, position, std::move(clock));
}

std::uint64_t RandomSource::next() {
    state_ += 0x9e3779b97f4a7c15ull;
    return mix(state_);
}

float RandomSource::nextRandom() {
    // The top 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24.
    return static_cast<float>(next() >> 40) * 0x1p-24f;
}

void RandomSource::reseedRandom() {
    state_ = mix(state_ ^ mix(clock_()));
}
