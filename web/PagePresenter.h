#pragma once

#include "canvas/Pixels.h"

#include <cstdint>
#include <vector>

class RasterCanvas;

// Copies what the canvas painted to the page's <canvas>.
class PagePresenter {
  public:
    // The part `rect` of the canvas, in device pixels; nothing when it is empty.
    void present(const RasterCanvas& canvas, PixelRect rect);

  private:
    std::vector<std::uint8_t> rgba_;
};
