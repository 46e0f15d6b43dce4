#pragma once

#include "pacing/FramePacer.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

// A front end whose clock moves only when the pacer sleeps or the painter works, so that a run
// of the pacer comes out the same on any machine. Events set for a moment (a key, a close) run
// when the clock gets there, inside a sleep or runPending(), as the front end's handlers would.
class FakeFrameHost : public FramePacer::Host {
  public:
    std::int64_t nowNs() const override { return nowNs_; }

    void sleep(int ms) override {
        ++sleeps;
        const std::int64_t until = nowNs_ + std::int64_t{ms} * 1'000'000;
        sleeping_ = true;
        woken_ = false;
        while (!woken_) {
            const auto next = events_.begin();
            if (next == events_.end() || next->first > until) {
                nowNs_ = until;
                break;
            }
            nowNs_ = std::max(nowNs_, next->first);
            runNext();
        }
        sleeping_ = false;
    }

    void wake() override { woken_ = sleeping_; }

    void runPending() override {
        ++pendingRuns;
        while (!events_.empty() && events_.begin()->first <= nowNs_)
            runNext();
    }

    // The painter's own work: time passes, and nothing else runs.
    void work(std::int64_t ns) { nowNs_ += ns; }
    // Runs `event` once the clock reaches `ns`.
    void at(std::int64_t ns, std::function<void()> event) { events_.emplace(ns, std::move(event)); }

    int sleeps = 0;
    int pendingRuns = 0;

  private:
    void runNext() {
        const auto event = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        event();
    }

    // Not zero: the pacer's times count from a handler's start, not from the clock's.
    std::int64_t nowNs_ = 3'600'000'000'000;
    std::multimap<std::int64_t, std::function<void()>> events_;
    bool sleeping_ = false;
    bool woken_ = false;
};
