#pragma once

#include "pacing/Timeline.h"

#include <QImage>

#include <cstdint>

class GameWindow;
class GifWriter;

// Turns the nominal timeline into frames: whenever the time passes the next frame boundary, the
// window as it is then becomes the frame that starts at that boundary.
class FrameSampler : public Timeline::Sync {
  public:
    // With no writer it only keeps time, for a still picture.
    FrameSampler(GameWindow& window, GifWriter* writer, QSize screen, int fps);
    ~FrameSampler() override;
    FrameSampler(const FrameSampler&) = delete;
    FrameSampler& operator=(const FrameSampler&) = delete;

    // The first frame: the window as it opens.
    void begin();
    // The handler about to run starts at this time of the recording.
    void setOffset(std::int64_t ns) { offsetNs_ = ns; }
    // Takes the frames due up to this time of the recording.
    void advanceTo(std::int64_t ns);
    void reached(std::int64_t nominalNs) override { advanceTo(offsetNs_ + nominalNs); }

  private:
    std::int64_t boundary(std::int64_t frame) const { return frame * 1'000'000'000 / fps_; }
    void grab();

    GameWindow& window_;
    GifWriter* writer_;
    QImage frame_;
    std::int64_t fps_;
    std::int64_t offsetNs_ = 0;
    std::int64_t nextFrame_ = 1;
};
