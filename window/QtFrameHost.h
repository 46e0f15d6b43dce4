#pragma once

#include "pacing/FramePacer.h"

#include <QElapsedTimer>

class QEventLoop;

// The frame pacer's front end in a Qt program: a sleep is a nested event loop, so windows keep
// painting and the player's keys and clicks keep coming while the picture waits for real time.
class QtFrameHost : public FramePacer::Host {
  public:
    QtFrameHost();

    std::int64_t nowNs() const override { return clock_.nsecsElapsed(); }
    void sleep(int ms) override;
    void wake() override;
    void runPending() override;

  private:
    QElapsedTimer clock_;
    QEventLoop* sleeping_ = nullptr;
};
