#pragma once

#include "pacing/FramePacer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Something is always waiting to be shown; remembers when each frame went out, on the host's
// clock from the screen's making.
class Screen : public FramePacer::Presenter {
  public:
    explicit Screen(const FramePacer::Host& clock) : clock_(clock), startNs_(clock.nowNs()) {}
    bool hasDirty() const override { return true; }
    void present() override { frames.push_back(elapsedNs()); }

    std::int64_t elapsedNs() const { return clock_.nowNs() - startNs_; }
    std::int64_t ShortestGap() const {
        std::int64_t shortest = INT64_MAX;
        for (std::size_t i = 1; i < frames.size(); ++i)
            shortest = std::min(shortest, frames[i] - frames[i - 1]);
        return shortest;
    }

    std::vector<std::int64_t> frames;

  private:
    const FramePacer::Host& clock_;
    std::int64_t startNs_;
};
