#include "canvas/PixelBuffer.h"

#include <algorithm>
#include <cmath>

PixelBuffer::PixelBuffer(PixelSize size, Pixel fill)
    : size_{std::clamp(size.width, 0, MaxDeviceSide), std::clamp(size.height, 0, MaxDeviceSide)},
      pixels_(static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height),
              fill) {}

void PixelBuffer::fill(Pixel colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void PixelBuffer::copyFrom(const PixelBuffer& source) {
    const int columns = std::min(width(), source.width());
    for (int y = 0; y < std::min(height(), source.height()); ++y)
        std::copy_n(source.row(y), columns, row(y));
}

void PixelBuffer::stretchFrom(const PixelBuffer& source, double factor) {
    if (source.isEmpty() || !(factor > 0))
        return;
    const auto sourceIndex = [factor](int at) {
        return static_cast<int>(std::floor((at + 0.5) / factor));
    };
    for (int y = 0; y < height(); ++y) {
        const int fromY = sourceIndex(y);
        if (fromY >= source.height())
            break;
        Pixel* to = row(y);
        const Pixel* from = source.row(fromY);
        for (int x = 0; x < width(); ++x) {
            const int fromX = sourceIndex(x);
            if (fromX >= source.width())
                break;
            to[x] = from[fromX];
        }
    }
}
