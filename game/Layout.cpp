#include "game/Layout.h"

#include "game/PanelPlan.h"
#include "game/Placement.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>

namespace {

double fitZoom(PixelSize window) {
    return std::min(window.width / double(DesignSize.width),
                    window.height / double(DesignSize.height));
}

bool contains(const PixelRect& outer, const PixelRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// The panel's edge to the window's.
constexpr int Margin = 8;
constexpr int Gap = PanelPlan::Gap;
// The menu button's distance from the window's corner.
constexpr int MenuMargin = 6;
// The picture keeps at least this share of the window's length, however little room the
// panel leaves it: below that the panel's controls give way instead.
constexpr int PictureShare = 3;

// The menu button in the area's upper right corner; none where the front end has none.
PixelRect cornerMenu(const PixelRect& area, PixelSize menu) {
    if (menu.width <= 0 || menu.height <= 0)
        return {};
    return {area.x + area.width - MenuMargin - menu.width, area.y + MenuMargin, menu.width,
            menu.height};
}

// The picture in a region of the window: the design fitted, or the region itself in actual
// size.
struct PictureFit {
    PixelSize client;
    double zoom;
    PixelSize shown;
};

PictureFit fitPicture(PixelSize region, ViewMode view) {
    region = {std::max(1, region.width), std::max(1, region.height)};
    if (view == ViewMode::Actual)
        return {region, 1.0, region};
    const double zoom = fitZoom(region);
    return {DesignSize, zoom, scaled(DesignSize, zoom)};
}

} // namespace

Layout::Layout(PixelSize window, ViewMode view, double pixelRatio, Pointer pointer, PixelSize menu)
    : pointer_(pointer), window_(window) {
    // Whole logical pixels that stay within the cap in device pixels.
    const int side = static_cast<int>(MaxDeviceSide / pixelRatio);
    const PixelSize room{std::min(window.width, side), std::min(window.height, side)};
    area_ = {(window.width - room.width) / 2, (window.height - room.height) / 2, room.width,
             room.height};
    client_ = room;
    shown_ = room;
    origin_ = {area_.x, area_.y};
    if (view == ViewMode::Fit) {
        client_ = DesignSize;
        // A window cannot be smaller than the minimum; anything asked of one is laid out as
        // there.
        zoom_ = std::max(fitZoom(MinimumSize), fitZoom(room));
        shown_ = scaled(DesignSize, zoom_);
        origin_ = {area_.x + (room.width - shown_.width) / 2,
                   area_.y + (room.height - shown_.height) / 2};
    }
    const Floor& floor = pointer == Pointer::Coarse ? TouchFloor : MouseFloor;
    placeOverPicture();
    if (designFits(floor))
        menu_ = cornerMenu(area_, menu);
    else
        placeInPanel(view, floor, menu);
    placeHint();
}

void Layout::placeOverPicture() {
    label_ = zoomed(LabelPlacement, zoom_, origin_);
    labelScale_ = zoom_;
    for (const Action action : StackingOrder) {
        buttons_[indexOf(action)] = zoomed(placementOf(action), zoom_, origin_);
        buttonScales_[indexOf(action)] = zoom_;
    }
}

bool Layout::designFits(const Floor& floor) const {
    if (LabelPlacement.fontPixels * zoom_ < floor.labelFontPixels || !contains(area_, label_))
        return false;
    return std::all_of(StackingOrder.begin(), StackingOrder.end(), [&](Action action) {
        const PixelRect rect = button(action);
        return placementOf(action).fontPixels * zoom_ >= floor.buttonFontPixels &&
               rect.width >= floor.targetSide && rect.height >= floor.targetSide &&
               contains(area_, rect);
    });
}

namespace {

// The picture and the panel, one way round.
struct Arrangement {
    int strip; // above it all, for the menu
    PanelPlan plan;
    PictureFit fit;
    PixelSize room; // the panel's
};

// Below the picture: the menu in a strip above it all, the buttons in rows as wide as the
// window. Beside it: the buttons one above another, the menu above the label where there is
// height for it, else beside the label.
Arrangement arrange(bool below, PanelPlan plan, PixelSize area, ViewMode view) {
    const PixelSize menu = plan.menu;
    Arrangement result{0, plan, {}, {}};
    if (below) {
        result.strip = plan.hasMenu() ? menu.height + MenuMargin : 0;
        plan.menu = {};
        plan.flowWidth = area.width - 2 * Margin;
        const int length = area.height - result.strip;
        result.fit = fitPicture({area.width, std::max(length / PictureShare,
                                                      length - Gap - plan.size().height - Margin)},
                                view);
        result.room = {area.width - 2 * Margin, length - result.fit.shown.height - Gap - Margin};
    } else {
        plan.flowWidth = 0;
        plan.menuInRow = plan.size().height > area.height - 2 * Margin;
        result.fit = fitPicture(
            {std::max(area.width / PictureShare, area.width - Gap - plan.size().width - Margin),
             area.height},
            view);
        result.room = {area.width - result.fit.shown.width - Gap - Margin,
                       area.height - 2 * Margin};
    }
    plan.shrinkInto(result.room);
    plan.growInto(result.room);
    result.plan = plan;
    return result;
}

} // namespace

void Layout::placeInPanel(ViewMode view, const Floor& floor, PixelSize menu) {
    panel_ = true;
    const PanelPlan plan = PanelPlan::atFloor(floor, menu);
    const PixelSize area{area_.width, area_.height};
    const Arrangement below = arrange(true, plan, area, view);
    const Arrangement beside = arrange(false, plan, area, view);
    // Controls at the floor come first, then the larger picture; in actual size, where the
    // picture is the window's own shape, the window's shape decides.
    bool goBelow = area.height >= area.width;
    if (below.plan.shrunk != beside.plan.shrunk)
        goBelow = below.plan.shrunk > beside.plan.shrunk;
    else if (view == ViewMode::Fit)
        goBelow = below.fit.zoom >= beside.fit.zoom;
    const Arrangement& chosen = goBelow ? below : beside;
    const PanelPlan& panel = chosen.plan;
    client_ = chosen.fit.client;
    zoom_ = chosen.fit.zoom;
    shown_ = chosen.fit.shown;

    const PixelSize size = panel.size();
    PixelPoint content;
    if (goBelow) {
        const int free = std::max(0, chosen.room.height - size.height);
        origin_ = {area_.x + (area.width - shown_.width) / 2, area_.y + chosen.strip + free / 2};
        content = {area_.x + (area.width - size.width) / 2, origin_.y + shown_.height + Gap};
        menu_ = cornerMenu(area_, menu);
    } else {
        const int free = std::max(0, chosen.room.width - size.width);
        origin_ = {area_.x + free / 2, area_.y + (area.height - shown_.height) / 2};
        content = {origin_.x + shown_.width + Gap,
                   area_.y + std::max(Margin, (area.height - size.height) / 2)};
    }

    // The controls, top to bottom, each centred in the panel's width.
    int y = content.y;
    if (panel.strip()) {
        menu_ = {content.x + size.width - menu.width, y, menu.width, menu.height};
        y += panel.strip();
    }
    const PixelSize label = panel.labelSize();
    label_ = {content.x + (size.width - panel.menuBeside() - label.width) / 2, y, label.width,
              label.height};
    labelScale_ = panel.labelScale;
    if (panel.menuBeside())
        menu_ = {content.x + size.width - menu.width, y, menu.width, menu.height};
    y += panel.labelRow().height + Gap;
    const auto place = [&](std::span<const Action> actions) {
        const PanelPlan::Flow flow = panel.flow(actions);
        const int x = content.x + (size.width - flow.size.width) / 2;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const PixelRect& at = flow.places[i];
            buttons_[indexOf(actions[i])] = {x + at.x, y + at.y, at.width, at.height};
        }
    };
    place(PanelPlan::Attacks);
    place(PanelPlan::Aftermath);
    for (const Action action : StackingOrder)
        buttonScales_[indexOf(action)] = panel.buttonScales[indexOf(action)];
}

void Layout::placeHint() {
    // The design's 13 pixels, zoomed, and never below what a player reads.
    hintFont_ = std::max(MouseFloor.labelFontPixels, rounded(13 * (panel_ ? 1.0 : zoom_)));
    const PixelSize size{hintFont_ * 10, hintFont_ * 3 / 2};
    if (panel_) {
        // Where the buttons will be, none of which is shown on the blank first screen: a click
        // there goes on with the story, as the hint says.
        PixelRect buttons;
        for (const Action action : StackingOrder)
            buttons = buttons.united(button(action));
        const int width = std::min(size.width, area_.width);
        hint_ = {std::max(area_.x, buttons.x + (buttons.width - width) / 2),
                 buttons.y + (buttons.height - size.height) / 2, width, size.height};
        return;
    }
    const int below = window_.height - origin_.y - shown_.height;
    if (below >= size.height) {
        hint_ = {Margin, origin_.y + shown_.height + (below - size.height) / 2, size.width,
                 size.height};
        return;
    }
    const int bottom = window_.height - Margin - size.height;
    if (origin_.x >= size.width)
        hint_ = {(origin_.x - size.width) / 2, bottom, size.width, size.height};
    else
        hint_ = {origin_.x + Margin, origin_.y + shown_.height - Margin - size.height, size.width,
                 size.height};
}

PixelRect Layout::button(Action action) const {
    if (!hasButton(action))
        throw std::invalid_argument("Advance has no button");
    return buttons_[indexOf(action)];
}

Layout::Caption Layout::labelCaption() const {
    return {designSize(LabelPlacement), LabelPlacement.fontPixels, labelScale_};
}

Layout::Caption Layout::buttonCaption(Action action) const {
    const Placement placement = placementOf(action);
    return {designSize(placement), placement.fontPixels, buttonScales_[indexOf(action)]};
}

std::string_view Layout::continueText() const {
    return pointer_ == Pointer::Coarse ? TapText : ContinueText;
}
