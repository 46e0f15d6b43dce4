#pragma once

#include "window/FramePacer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <vector>

// Something is always waiting to be shown; remembers when each frame went out.
class Screen : public FramePacer::Presenter {
  public:
    Screen() { clock.start(); }
    bool hasDirty() const override { return true; }
    void present() override { frames.push_back(clock.nsecsElapsed()); }

    std::int64_t ShortestGap() const {
        std::int64_t shortest = INT64_MAX;
        for (std::size_t i = 1; i < frames.size(); ++i)
            shortest = std::min(shortest, frames[i] - frames[i - 1]);
        return shortest;
    }

    QElapsedTimer clock;
    std::vector<std::int64_t> frames;
};
