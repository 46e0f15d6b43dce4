#pragma once

#include "game/GameRunner.h"

#include <cstdint>
#include <functional>
#include <vector>

// Remembers what the runner asked of its front end; replays a held item by calling `onReplay`.
class FakeFrontEnd : public GameRunner::FrontEnd {
  public:
    void framesWanted() override { ++frameRequests; }
    void replayHeld(std::uint32_t item) override {
        replayed.push_back(item);
        if (onReplay)
            onReplay(item);
    }
    void played() override { ++pictures; }
    void failed(const Failure& failure) override { failures.push_back(failure); }

    int frameRequests = 0;
    int pictures = 0;
    std::vector<std::uint32_t> replayed;
    std::vector<Failure> failures;
    std::function<void(std::uint32_t)> onReplay;
};
