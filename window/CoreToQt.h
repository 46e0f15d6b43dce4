#pragma once

#include "canvas/Pixels.h"

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

// The core's tables hold ASCII only.
inline QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
