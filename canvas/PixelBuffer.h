#pragma once

#include "canvas/Color.h"
#include "canvas/Pixels.h"

#include <cstdint>
#include <vector>

// One device pixel as a 32-bit word 0xffRRGGBB: what Qt calls RGB32, on any processor. A web
// canvas wants the bytes in another order; the word's value is what the game decides.
using Pixel = std::uint32_t;

constexpr Pixel toPixel(Color colour) {
    return 0xff000000u | static_cast<Pixel>(redOf(colour)) << 16 |
           static_cast<Pixel>(greenOf(colour)) << 8 | static_cast<Pixel>(blueOf(colour));
}

// The most a picture holds a side, in device pixels: enough for an 8K screen, and at 4 bytes a
// pixel a picture stays within 256 MiB.
inline constexpr int MaxDeviceSide = 8192;

// A picture in device pixels, rows top to bottom with no padding between them.
class PixelBuffer {
  public:
    PixelBuffer() = default;
    // Sides are clamped to 0 .. MaxDeviceSide.
    PixelBuffer(PixelSize size, Pixel fill);

    PixelSize size() const { return size_; }
    int width() const { return size_.width; }
    int height() const { return size_.height; }
    bool isEmpty() const { return pixels_.empty(); }

    Pixel pixel(int x, int y) const { return pixels_[index(x, y)]; }
    Pixel* row(int y) { return pixels_.data() + index(0, y); }
    const Pixel* row(int y) const { return pixels_.data() + index(0, y); }
    const Pixel* data() const { return pixels_.data(); }
    // Bytes from one row to the next.
    int stride() const { return size_.width * static_cast<int>(sizeof(Pixel)); }

    void fill(Pixel colour);
    // Copies `source` with its top-left corner at (0, 0), clipped to this buffer.
    void copyFrom(const PixelBuffer& source);
    // Paints `source` magnified by `factor` from the top-left corner: each pixel takes the source
    // pixel under its centre; pixels beyond the source keep their colour.
    void stretchFrom(const PixelBuffer& source, double factor);

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width) +
               static_cast<std::size_t>(x);
    }

    PixelSize size_;
    std::vector<Pixel> pixels_;
};
