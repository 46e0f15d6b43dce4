#pragma once

#include "pacing/Timeline.h"

#include <QImage>

#include <cstdint>

class GameWindow;
class AnimationWriter;

// Turns the nominal timeline into frames at fixed boundaries. The frame that starts at boundary T
// shows the window as it stands when the first pause that begins in [T, T + interval) begins, the
// painter's own moment to be looked at; failing that, as it stands at T + interval. A frame the
// writer refuses is its failure, kept there for the recorder to ask after.
class FrameSampler : public Timeline::Sync {
  public:
    // With no writer it only keeps time, for a still picture.
    FrameSampler(GameWindow& window, AnimationWriter* writer, QSize screen, int fps);
    ~FrameSampler() override;
    FrameSampler(const FrameSampler&) = delete;
    FrameSampler& operator=(const FrameSampler&) = delete;

    // The first frame: the window as it opens.
    void begin();
    // The picture about to play starts at this time of the recording.
    void setOffset(std::int64_t ns) { offsetNs_ = ns; }
    // Takes the frames whose interval has passed by this time of the recording.
    void advanceTo(std::int64_t ns) { sample(ns, false); }
    void reached(std::int64_t nominalNs) override { sample(offsetNs_ + nominalNs, false); }
    void pausing(std::int64_t nominalNs) override { sample(offsetNs_ + nominalNs, true); }

  private:
    std::int64_t boundary(std::int64_t frame) const { return frame * 1'000'000'000 / fps_; }
    void sample(std::int64_t ns, bool pauseBegins);
    void take(std::int64_t frame);
    void grab();

    GameWindow& window_;
    AnimationWriter* writer_;
    QImage frame_;
    std::int64_t fps_;
    std::int64_t offsetNs_ = 0;
    std::int64_t nextFrame_ = 1;
};
