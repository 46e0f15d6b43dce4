#pragma once

#include "canvas/Pixels.h"
#include "canvas/Twips.h"
#include "game/Action.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

// Where the window description puts a control, in twips, and its caption's size in pixels in
// the design.
struct Placement {
    int left, top, width, height;
    int fontPixels;
};

// 21.75 pt at 96 dpi.
inline constexpr Placement LabelPlacement{7920, 1560, 5535, 3495, 29};

// 9.75 pt and 12 pt at 96 dpi.
constexpr Placement placementOf(Action action) {
    switch (action) {
    case Action::StartOver:
        return {9840, 3960, 2535, 615, 13};
    case Action::TryAnotherChoice:
        return {9840, 3240, 2535, 615, 13};
    case Action::EatHim:
        return {12000, 4440, 2175, 1095, 16};
    case Action::FireBall:
        return {7920, 4440, 1935, 1095, 16};
    case Action::FlameBreath:
        return {9960, 4440, 1935, 1095, 16};
    case Action::Advance:
        break;
    }
    throw std::invalid_argument("Advance has no button");
}

constexpr std::size_t indexOf(Action action) {
    return static_cast<std::size_t>(action);
}

inline int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

// The description's whole pixels, zoomed and rounded, with the picture's corner at `origin`.
inline PixelRect zoomed(const Placement& placement, double zoom, PixelPoint origin) {
    const auto pixels = [](int twips) { return static_cast<int>(twips / TwipsPerPixel); };
    return {origin.x + rounded(pixels(placement.left) * zoom),
            origin.y + rounded(pixels(placement.top) * zoom),
            rounded(pixels(placement.width) * zoom), rounded(pixels(placement.height) * zoom)};
}

inline PixelSize designSize(const Placement& placement) {
    const PixelRect design = zoomed(placement, 1.0, {});
    return {design.width, design.height};
}

inline PixelSize scaled(PixelSize size, double scale) {
    return {rounded(size.width * scale), rounded(size.height * scale)};
}
