#pragma once

#include "canvas/Color.h"
#include "canvas/PixelBuffer.h"
#include "canvas/Pixels.h"

#include <QColor>
#include <QImage>

#include <QPoint>
#include <QRect>
#include <QSize>

// The core layout's plain geometry as Qt takes it, and back.

inline QSize toQSize(PixelSize size) {
    return {size.width, size.height};
}

inline QPoint toQPoint(PixelPoint point) {
    return {point.x, point.y};
}

inline QRect toQRect(PixelRect rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

inline PixelSize toPixelSize(QSize size) {
    return {size.width(), size.height()};
}

// A game colour as Qt takes it.
inline QColor toQColor(Color colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

// The picture as a read-only image over the same memory, without a copy: valid until the buffer
// is painted at another size or scale.
inline QImage wrappedImage(const PixelBuffer& pixels) {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.stride(), QImage::Format_RGB32);
}

// The core's tables hold ASCII only.
inline QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
