#include "game/Layout.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// Where the window description puts a control, in twips, and its caption's size in pixels in
// the design.
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

Layout::Caption caption(const Placement& placement, double zoom) {
    const PixelRect design = zoomed(placement, 1.0, {});
    return {{design.width, design.height}, placement.fontPixels, zoom};
}

double fitZoom(PixelSize window) {
    return std::min(window.width / double(DesignSize.width),
                    window.height / double(DesignSize.height));
}

// The hint's distance from the window's edge, or the picture's.
constexpr int HintMargin = 8;

} // namespace

Layout::Layout(PixelSize window, ViewMode view, double pixelRatio) : window_(window) {
    // Whole logical pixels that stay within the cap in device pixels.
    const int side = static_cast<int>(MaxDeviceSide / pixelRatio);
    const PixelSize room{std::min(window.width, side), std::min(window.height, side)};
    area_ = {(window.width - room.width) / 2, (window.height - room.height) / 2, room.width,
             room.height};
    client_ = room;
    shown_ = room;
    origin_ = {area_.x, area_.y};
    if (view == ViewMode::Actual)
        return;
    client_ = DesignSize;
    // A window cannot be smaller than the minimum; anything asked of one is laid out as there.
    zoom_ = std::max(fitZoom(MinimumSize), fitZoom(room));
    shown_ = {static_cast<int>(std::lround(DesignSize.width * zoom_)),
              static_cast<int>(std::lround(DesignSize.height * zoom_))};
    origin_ = {area_.x + (room.width - shown_.width) / 2,
               area_.y + (room.height - shown_.height) / 2};
}

PixelRect Layout::label() const {
    return zoomed(LabelPlacement, zoom_, origin_);
}

PixelRect Layout::button(Action action) const {
    return zoomed(placementOf(action), zoom_, origin_);
}

Layout::Caption Layout::labelCaption() const {
    return caption(LabelPlacement, zoom_);
}

Layout::Caption Layout::buttonCaption(Action action) const {
    return caption(placementOf(action), zoom_);
}

PixelRect Layout::continueHint() const {
    const int below = window_.height - origin_.y - shown_.height;
    if (below >= HintSize.height)
        return {HintMargin, origin_.y + shown_.height + (below - HintSize.height) / 2,
                HintSize.width, HintSize.height};
    const int bottom = window_.height - HintMargin - HintSize.height;
    if (origin_.x >= HintSize.width)
        return {(origin_.x - HintSize.width) / 2, bottom, HintSize.width, HintSize.height};
    return {origin_.x + HintMargin, origin_.y + shown_.height - HintMargin - HintSize.height,
            HintSize.width, HintSize.height};
}

bool Layout::reachable(Action action) const {
    return !hasButton(action) || button(action).intersects({0, 0, window_.width, window_.height});
}
