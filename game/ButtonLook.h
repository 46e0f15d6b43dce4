#pragma once

#include <algorithm>

// How a command button is drawn around its caption, whatever draws it; its colours are the
// layout's.

// Left free around the caption inside the face, each side, in design pixels.
inline constexpr int CaptionPaddingX = 4;
inline constexpr int CaptionPaddingY = 3;

// The focus ring stands out on the red face from across the room: one pixel inside the
// two-pixel bevel, and as thick as the button is large, a pixel for every 24 of its height.
inline constexpr int FocusRingInset = 3;
inline constexpr int FocusRingLeast = 2;
inline constexpr int FocusRingPer = 24;

constexpr int focusRingThickness(int buttonHeight) {
    return std::max(FocusRingLeast, buttonHeight / FocusRingPer);
}
