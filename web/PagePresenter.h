#pragma once

#include "canvas/Pixels.h"
#include "pacing/FramePacer.h"

#include <cstdint>
#include <vector>

class RasterCanvas;

// Copies what the canvas painted to the page's <canvas>, at most once per display frame: a
// present the page cannot take in this frame waits for the next.
class PagePresenter : public FramePacer::Presenter {
  public:
    explicit PagePresenter(RasterCanvas& canvas) : canvas_(canvas) {}

    bool hasDirty() const override;
    void present() override;
    // The whole picture is new (a new size or scale): the page's canvas takes all of it.
    void presentAll();

  private:
    RasterCanvas& canvas_;
    PixelRect pending_;
    std::vector<std::uint8_t> rgba_;
};
