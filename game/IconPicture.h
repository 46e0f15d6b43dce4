#pragma once

#include "canvas/PixelBuffer.h"

// The sizes the command line writes the icon at, in pixels a side.
inline constexpr int SmallestIcon = 16;
inline constexpr int LargestIcon = 1024;

// The game's icon: the beast's head, painted by the game's own painters. Its pixels carry alpha
// (0xAARRGGBB, not premultiplied): the background is fully transparent, the head opaque.

// The head in a square at the painters' own resolution (one pixel per 15 twips), as an icon of
// `size` pixels shows it: a small icon gets a larger eye and a narrower margin.
PixelBuffer paintIconSquare(int size);

// The icon at `size` pixels a side: the square above, each pixel the average of the area it
// covers (weighted by alpha, so that no background colour bleeds into the edge).
PixelBuffer paintIcon(int size);
