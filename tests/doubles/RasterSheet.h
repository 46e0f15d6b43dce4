#pragma once

#include "canvas/PixelBuffer.h"
#include "canvas/Rasteriser.h"

#include <string>

// Colours for small pictures worked out by hand, and a blank picture with the rasteriser that
// paints on it, which shows itself as text.
constexpr Pixel Paper = 0xff000000, Ink = 0xffffffff, Rim = 0xffff0000, Inside = 0xff00ff00;

// A blank picture and the rasteriser that paints on it.
class RasterSheet {
  public:
    RasterSheet(int width, int height, int lineWidth = 1)
        : buffer_({width, height}, Paper), rasteriser_(buffer_, lineWidth) {}

    Rasteriser* operator->() { return &rasteriser_; }

    // A line of text a row, each starting on a new line: '.' unpainted, '#' ink, 'o' an outline,
    // 'f' a fill.
    std::string text() const {
        std::string text;
        for (int y = 0; y < buffer_.height(); ++y) {
            text += '\n';
            for (int x = 0; x < buffer_.width(); ++x) {
                const Pixel pixel = buffer_.pixel(x, y);
                text += pixel == Paper    ? '.'
                        : pixel == Ink    ? '#'
                        : pixel == Rim    ? 'o'
                        : pixel == Inside ? 'f'
                                          : '?';
            }
        }
        return text + '\n';
    }

  private:
    PixelBuffer buffer_;
    Rasteriser rasteriser_;
};
