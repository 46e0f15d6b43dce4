#pragma once

// Every position the game stores is in twips, 15 to a logical pixel (a pixel at 96 dpi).
inline constexpr float TwipsPerPixel = 15.0f;

// Where a coordinate lands, in single precision as the painters hand coordinates over.
constexpr float toPixels(float twips) {
    return twips / TwipsPerPixel;
}

// The same in double precision, for the cost model's sums.
constexpr double toPixelsPrecise(double twips) {
    return twips / TwipsPerPixel;
}
