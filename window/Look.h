#pragma once

#include "game/Layout.h"
#include "qt/CoreToQt.h"

#include <QColor>
#include <QFont>

// What only the desktop window shows, beside the layout's colours: the focus ring, the captions'
// font as Qt makes it, and the margin of a recording.

// Stands out on the red face of a button from across the room.
inline constexpr QRgb FocusRing = qRgb(255, 255, 0);

// Where a recording's frame reaches past a smaller window.
inline constexpr QRgb RecordingMargin = qRgb(0, 0, 0);

// The captions' font, at a size the layout gives.
inline QFont captionFont(int pixels) {
    QFont font(toQString(CaptionFamily));
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}
