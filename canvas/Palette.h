#pragma once

#include "canvas/Color.h"

// Every colour the game paints with, one name each.
namespace Palette {

inline constexpr Color Background = RGB(64, 64, 64); // the window, the label, and every eraser
inline constexpr Color Red = RGB(255, 0, 0);         // the beast's body, tail and jaw
inline constexpr Color DarkRed = RGB(200, 0, 0);     // the tongue and the chewing arc
inline constexpr Color Maroon = RGB(150, 0, 0);      // the spikes
inline constexpr Color Black = RGB(0, 0, 0);
inline constexpr Color White = RGB(255, 255, 255);
inline constexpr Color GoblinGreen = RGB(0, 120, 0);
inline constexpr Color WedgeGrey = RGB(200, 200, 200); // the goblin's wedge
inline constexpr Color FloorBrown = RGB(120, 50, 0);

} // namespace Palette
