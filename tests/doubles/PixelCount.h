#pragma once

#include <QImage>
#include <QRect>

// How many pixels of the image, or of an area of it, have exactly the colour.
inline int countPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

inline int countPixels(const QImage& image, QRgb colour) {
    return countPixels(image, image.rect(), colour);
}
