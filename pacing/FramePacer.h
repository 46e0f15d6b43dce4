#pragma once

#include "pacing/Timeline.h"

#include <cstdint>

// Keeps a painting handler in step with real time. When the nominal timeline runs ahead, the
// handler sleeps while the front end keeps running (its event loop; no CPU is burnt).
//
// Frames fall due on a fixed grid of display frames. A frame due at T is shown when the first
// pause that begins in [T, T + interval) begins, because a pause is the painter saying "look
// now" (a fire ball is on screen during its pause and erased after it); failing that, at
// T + interval. So a frame is at most one interval late, and never catches a picture half-way.
class FramePacer : public Timeline::Sync {
  public:
    class Presenter {
      public:
        virtual ~Presenter() = default;
        virtual bool hasDirty() const = 0;
        virtual void present() = 0;
    };

    // What the pacer needs from the front end it runs in. The front end's own handlers (a key,
    // a close) run only inside sleep() and runPending(), and may call setSpeed() or stop()
    // there; sleep() is the only call that blocks.
    class Host {
      public:
        virtual ~Host() = default;
        // Real time in ns since an arbitrary start; it never goes back.
        virtual std::int64_t nowNs() const = 0;
        // Lets the front end run for up to `ms` milliseconds, or until wake().
        virtual void sleep(int ms) = 0;
        // Ends the sleep under way, if any.
        virtual void wake() = 0;
        // Lets the front end handle what is waiting, without waiting for more.
        virtual void runPending() = 0;
    };

    FramePacer(Presenter& presenter, Host& host);

    // Pace multiplier: 2 plays twice as fast, 0 never waits. A change mid-picture takes effect
    // from the next primitive on, without a jump.
    void setSpeed(double speed);
    double speed() const { return speed_; }
    void setFrameInterval(std::int64_t ns);
    // A handler starts: its nominal time 0 is now.
    void start();
    // A handler ends: show what is left.
    void finish();
    // Stop painting: the next primitive or wait throws PaintingStopped.
    void stop();
    bool stopped() const { return stopped_; }

    void reached(std::int64_t nominalNs) override;
    void pausing(std::int64_t nominalNs) override;

  private:
    // Real time since the handler started.
    std::int64_t now() const { return host_.nowNs() - startNs_; }
    // When, in real time since the start, the timeline reaches this nominal time.
    std::int64_t realTimeOf(std::int64_t nominalNs) const;
    void waitFor(std::int64_t nominalNs);
    void present(std::int64_t now);
    // Whether a whole interval has passed since the frame fell due.
    bool frameOverdue(std::int64_t now) const { return now >= frameDueNs_ + frameNs_; }
    void throwIfStopped() const;

    Presenter& presenter_;
    Host& host_;
    // The host's time at the handler's start.
    std::int64_t startNs_;
    double speed_ = 1.0;
    // The pace counts from here: the start, or the last change of speed.
    std::int64_t anchorRealNs_ = 0;
    std::int64_t anchorNominalNs_ = 0;
    std::int64_t lastNominalNs_ = 0;
    std::int64_t frameNs_ = 16'000'000;
    std::int64_t lastPresentNs_ = 0;
    std::int64_t frameDueNs_ = 0;
    bool stopped_ = false;
};
