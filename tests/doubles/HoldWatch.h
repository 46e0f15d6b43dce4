#pragma once

#include "pacing/Timeline.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// Listens to a timeline for the painter's holds, the moments a frame stays on screen: when each
// begins on the nominal clock and how many pause units it lasts. `look` is called as each hold
// begins, with the number of holds before it, to inspect the picture the player is shown then;
// `drawn` after every primitive, to act between two of them (a resize, say).
class HoldWatch : public Timeline::Sync {
  public:
    struct Hold {
        std::int64_t startNs = 0;
        std::int64_t endNs = 0;
        int units = 0;
    };
    // Holds in a row of the same length, as (units, how many).
    using Runs = std::vector<std::pair<int, int>>;

    explicit HoldWatch(Timeline& timeline, Tempo tempo = Tempo())
        : timeline_(timeline), unitNs_(tempo.pauseUnitNs) {
        timeline_.setSync(this);
    }
    ~HoldWatch() override { timeline_.setSync(nullptr); }
    HoldWatch(const HoldWatch&) = delete;
    HoldWatch& operator=(const HoldWatch&) = delete;

    void pausing(std::int64_t nominalNs) override {
        if (look)
            look(holds_.size());
        holds_.push_back({nominalNs, nominalNs, 0});
        holding_ = true;
    }
    void reached(std::int64_t nominalNs) override {
        if (!holding_) {
            if (drawn)
                drawn();
            return;
        }
        holding_ = false;
        Hold& hold = holds_.back();
        hold.endNs = nominalNs;
        hold.units =
            static_cast<int>(std::lround(static_cast<double>(nominalNs - hold.startNs) / unitNs_));
    }

    const std::vector<Hold>& holds() const { return holds_; }
    Runs runs() const {
        Runs runs;
        for (const Hold& hold : holds_) {
            if (runs.empty() || runs.back().first != hold.units)
                runs.emplace_back(hold.units, 0);
            ++runs.back().second;
        }
        return runs;
    }

    std::function<void(std::size_t)> look;
    std::function<void()> drawn;

  private:
    Timeline& timeline_;
    double unitNs_;
    std::vector<Hold> holds_;
    bool holding_ = false;
};
