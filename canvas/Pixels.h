#pragma once

#include <algorithm>

// Plain whole-pixel geometry: the layout's logical pixels, the picture's device pixels.

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    // Whether the two share at least one pixel.
    bool intersects(const PixelRect& other) const {
        return !isEmpty() && !other.isEmpty() && x < other.x + other.width && other.x < x + width &&
               y < other.y + other.height && other.y < y + height;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    PixelRect united(const PixelRect& other) const {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return other;
        const int left = std::min(x, other.x);
        const int top = std::min(y, other.y);
        const int right = std::max(x + width, other.x + other.width);
        const int bottom = std::max(y + height, other.y + other.height);
        return {left, top, right - left, bottom - top};
    }
};
