#pragma once

#include "canvas/Color.h"

// Every colour the game paints with, one name each.
namespace Palette {

inline constexpr Color Background = rgb(64, 64, 64); // the window, the label, and every eraser
inline constexpr Color Red = rgb(255, 0, 0);         // the beast's body, tail and jaw
inline constexpr Color DarkRed = rgb(200, 0, 0);     // the tongue and the chewing arc
inline constexpr Color Maroon = rgb(150, 0, 0);      // the spikes
inline constexpr Color Black = rgb(0, 0, 0);
inline constexpr Color White = rgb(255, 255, 255);
inline constexpr Color GoblinGreen = rgb(0, 120, 0);
inline constexpr Color WedgeGrey = rgb(200, 200, 200); // the goblin's wedge
inline constexpr Color FloorBrown = rgb(120, 50, 0);

} // namespace Palette
