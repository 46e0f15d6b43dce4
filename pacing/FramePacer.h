#pragma once

#include "pacing/Timeline.h"

#include <cstdint>

// Decides where a picture stops in each display frame, so that it keeps in step with real time
// and is seen at the painter's holds. It never waits: it asks the timeline to stop the painter,
// and the frame ends there.
//
// The frame shown at time T is the picture as it stands at the first pause that begins between
// the frame before and T, because a pause is the painter saying "look now" (a fire ball is on
// screen during its pause and erased after it); failing that, as it stands at T. So the picture
// is at most one frame behind real time, and never caught half-way through a hold.
//
// A frame also ends once it has done its share of real work (at 8x, instant, or on a slow
// machine), preferably at a hold, so that the front end keeps running.
class FramePacer : public Timeline::Sync {
  public:
    // Real time in ns since an arbitrary start; it never goes back.
    class Clock {
      public:
        virtual ~Clock() = default;
        virtual std::int64_t nowNs() const = 0;
    };

    // Real work a frame may do: past the first, the frame ends at the next hold; past the
    // second, at the next primitive.
    static constexpr std::int64_t HoldWorkNs = 6'000'000;
    static constexpr std::int64_t MostWorkNs = 8'000'000;

    // The clock measures the work; the frames' times come from the front end.
    FramePacer(Timeline& timeline, const Clock& workClock);

    // Pace multiplier: 2 plays twice as fast, 0 never waits. A change mid-picture takes effect
    // from the last frame's time on, without a jump.
    void setSpeed(double speed);
    double speed() const { return speed_; }
    // A picture starts in the frame at this time: its nominal time 0 is then.
    void start(std::int64_t nowNs);
    // A frame at this time: the picture may run until the pacer asks it to stop.
    void beginFrame(std::int64_t nowNs);

    void reached(std::int64_t nominalNs) override;
    void pausing(std::int64_t nominalNs) override;

  private:
    // When, in the front end's time, the timeline reaches this nominal time.
    std::int64_t realTimeOf(std::int64_t nominalNs) const;
    std::int64_t workDone() const { return clock_.nowNs() - workStartNs_; }

    Timeline& timeline_;
    const Clock& clock_;
    double speed_ = 1.0;
    // The pace counts from here: the start, or the last change of speed.
    std::int64_t anchorRealNs_ = 0;
    std::int64_t anchorNominalNs_ = 0;
    std::int64_t lastNominalNs_ = 0;
    std::int64_t frameStartNs_ = 0; // the frame before
    std::int64_t frameNs_ = 0;      // this frame
    std::int64_t workStartNs_ = 0;
    int sinceClockRead_ = 0;
};
