#pragma once

#include "pacing/FramePacer.h"

#include <cstdint>

// A clock that stands still unless told, or that moves on by `perReadNs` at every reading, as if
// the work between two readings took that long.
class FakeClock : public FramePacer::Clock {
  public:
    std::int64_t nowNs() const override { return nowNs_ += perReadNs; }
    void work(std::int64_t ns) { nowNs_ += ns; }

    std::int64_t perReadNs = 0;

  private:
    mutable std::int64_t nowNs_ = 1'000'000'000;
};
