#include "game/Layout.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// Where the window description puts a control, in twips, and its caption's size in pixels at
// zoom 1.
struct Placement {
    int left, top, width, height;
    int fontPixels;
};

// 21.75 pt at 96 dpi.
constexpr Placement LabelPlacement{7920, 1560, 5535, 3495, 29};

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

// The description's whole pixels, zoomed and rounded, with the picture's corner at `origin`.
PixelRect zoomed(const Placement& placement, double zoom, PixelPoint origin) {
    const auto pixels = [](int twips) { return static_cast<int>(twips / TwipsPerPixel); };
    const auto scaled = [zoom](int value) { return static_cast<int>(std::lround(value * zoom)); };
    return {origin.x + scaled(pixels(placement.left)), origin.y + scaled(pixels(placement.top)),
            scaled(pixels(placement.width)), scaled(pixels(placement.height))};
}

int fontPixels(const Placement& placement, double zoom) {
    return std::max(1, static_cast<int>(std::lround(placement.fontPixels * zoom)));
}

// Below this the controls would vanish altogether.
constexpr double SmallestZoom = 0.05;

} // namespace

Layout::Layout(PixelSize window, ViewMode view, double pixelRatio) : window_(window) {
    // Whole logical pixels that stay within the cap in device pixels.
    const int side = static_cast<int>(MaxDeviceSide / pixelRatio);
    const int width = std::min(window.width, side);
    const int height = std::min(window.height, side);
    area_ = {(window.width - width) / 2, (window.height - height) / 2, width, height};
    client_ = {width, height};
    origin_ = {area_.x, area_.y};
    if (view == ViewMode::Actual)
        return;
    client_ = DesignSize;
    zoom_ = std::max(SmallestZoom, std::min(width / double(DesignSize.width),
                                            height / double(DesignSize.height)));
    const int shownWidth = static_cast<int>(std::lround(DesignSize.width * zoom_));
    const int shownHeight = static_cast<int>(std::lround(DesignSize.height * zoom_));
    origin_ = {area_.x + (width - shownWidth) / 2, area_.y + (height - shownHeight) / 2};
}

PixelRect Layout::label() const {
    return zoomed(LabelPlacement, zoom_, origin_);
}

PixelRect Layout::button(Action action) const {
    return zoomed(placementOf(action), zoom_, origin_);
}

int Layout::labelFontPixels() const {
    return fontPixels(LabelPlacement, zoom_);
}

int Layout::buttonFontPixels(Action action) const {
    return fontPixels(placementOf(action), zoom_);
}

bool Layout::reachable(Action action) const {
    return !hasButton(action) || button(action).intersects({0, 0, window_.width, window_.height});
}
