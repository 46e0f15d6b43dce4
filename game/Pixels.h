#pragma once

// Plain geometry in logical pixels, for the layout that every front end shares.

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
};
