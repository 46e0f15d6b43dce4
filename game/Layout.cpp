#include "game/Layout.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>
#include <vector>

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

constexpr std::size_t indexOf(Action action) {
    return static_cast<std::size_t>(action);
}

// Left to right in the design, and so in the panel.
constexpr std::array<Action, 3> AttackRow{Action::FireBall, Action::FlameBreath, Action::EatHim};
// Top to bottom.
constexpr std::array<Action, 2> AftermathColumn{Action::TryAnotherChoice, Action::StartOver};

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

// The description's whole pixels, zoomed and rounded, with the picture's corner at `origin`.
PixelRect zoomed(const Placement& placement, double zoom, PixelPoint origin) {
    const auto pixels = [](int twips) { return static_cast<int>(twips / TwipsPerPixel); };
    return {origin.x + rounded(pixels(placement.left) * zoom),
            origin.y + rounded(pixels(placement.top) * zoom),
            rounded(pixels(placement.width) * zoom), rounded(pixels(placement.height) * zoom)};
}

PixelSize designSize(const Placement& placement) {
    const PixelRect design = zoomed(placement, 1.0, {});
    return {design.width, design.height};
}

PixelSize scaled(PixelSize size, double scale) {
    return {rounded(size.width * scale), rounded(size.height * scale)};
}

double fitZoom(PixelSize window) {
    return std::min(window.width / double(DesignSize.width),
                    window.height / double(DesignSize.height));
}

bool contains(const PixelRect& outer, const PixelRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// The panel's edge to the window's, and the space between controls in it.
constexpr int Margin = 8;
constexpr int Gap = 6;
// The menu button's distance from the window's corner.
constexpr int MenuMargin = 6;
// The picture keeps at least this share of the window's length, however little room the
// panel leaves it: below that the panel's controls give way instead.
constexpr int PictureShare = 3;

// Buttons side by side as far as `width` allows, then on the next row, each row centred: their
// places relative to the first row's top-left corner.
struct Flow {
    PixelSize size;
    std::vector<PixelRect> places;
};

// The panel's controls at their scales, stacked from the top: the menu in a strip of its own
// or beside the label, then the label, then the buttons. The three attack buttons and the two
// that follow an attack are never shown together, so they share one place.
struct PanelPlan {
    double labelScale = 1.0;
    std::array<double, 6> buttonScales{};
    int flowWidth = 0; // how wide a row of buttons may be; 0 for one above another
    bool menuInRow = false;
    PixelSize menu;

    PixelSize labelSize() const { return scaled(designSize(LabelPlacement), labelScale); }
    PixelSize buttonSize(Action action) const {
        return scaled(designSize(placementOf(action)), buttonScales[indexOf(action)]);
    }
    Flow flow(std::span<const Action> actions) const {
        std::vector<PixelRect> places;
        std::vector<std::size_t> rowStarts{0};
        PixelPoint at;
        int rowHeight = 0;
        for (const Action action : actions) {
            const PixelSize size = buttonSize(action);
            if (!places.empty() && at.x + size.width > flowWidth) {
                rowStarts.push_back(places.size());
                at = {0, at.y + rowHeight + Gap};
                rowHeight = 0;
            }
            places.push_back({at.x, at.y, size.width, size.height});
            at.x += size.width + Gap;
            rowHeight = std::max(rowHeight, size.height);
        }
        rowStarts.push_back(places.size());
        int width = 0;
        for (std::size_t row = 0; row + 1 < rowStarts.size(); ++row) {
            const PixelRect& last = places[rowStarts[row + 1] - 1];
            width = std::max(width, last.x + last.width);
        }
        for (std::size_t row = 0; row + 1 < rowStarts.size(); ++row) {
            const PixelRect& last = places[rowStarts[row + 1] - 1];
            const int indent = (width - (last.x + last.width)) / 2;
            for (std::size_t i = rowStarts[row]; i < rowStarts[row + 1]; ++i)
                places[i].x += indent;
        }
        return {{width, at.y + rowHeight}, std::move(places)};
    }
    PixelSize buttons() const {
        const PixelSize attacks = flow(AttackRow).size;
        const PixelSize aftermath = flow(AftermathColumn).size;
        return {std::max(attacks.width, aftermath.width),
                std::max(attacks.height, aftermath.height)};
    }
    bool hasMenu() const { return menu.width > 0 && menu.height > 0; }
    int strip() const { return hasMenu() && !menuInRow ? menu.height + Gap : 0; }
    int menuBeside() const { return hasMenu() && menuInRow ? Gap + menu.width : 0; }
    PixelSize labelRow() const {
        return {labelSize().width + menuBeside(),
                std::max(labelSize().height, menuInRow ? menu.height : 0)};
    }
    PixelSize size() const {
        return {std::max({labelRow().width, buttons().width, strip() ? menu.width : 0}),
                strip() + labelRow().height + Gap + buttons().height};
    }
    bool fits(PixelSize room) const {
        return size().width <= room.width && size().height <= room.height;
    }
    // How far the controls fall short of the floor: 1 where they meet it.
    double shrunk = 1.0;

    // Everything smaller alike, until it fits: the floor gives way only in the smallest windows.
    void shrinkInto(PixelSize room) {
        for (int tries = 0; tries < 8 && !fits(room); ++tries) {
            const double factor = std::min({1.0, room.width / double(std::max(1, size().width)),
                                            room.height / double(std::max(1, size().height))}) *
                                  0.98;
            shrunk *= factor;
            labelScale *= factor;
            for (double& scale : buttonScales)
                scale *= factor;
        }
    }

    // The room left over goes to the label first, up to its design size, then to the buttons,
    // each up to its design size (or its floor, where that is larger).
    void growInto(PixelSize room) {
        if (!fits(room))
            return;
        // Whole pixels round up by half a pixel at most, so a pixel's slack each way.
        const PixelSize slack{room.width - 2, room.height - 2};
        const PixelSize label = labelSize();
        const double labelGrowth =
            std::min({std::max(1.0, labelScale) / labelScale,
                      (slack.width - menuBeside()) / double(label.width),
                      (slack.height - strip() - Gap - buttons().height) / double(label.height)});
        if (labelGrowth > 1)
            labelScale *= labelGrowth;
        const PixelSize block = buttons();
        const double buttonGrowth =
            std::min(slack.width / double(block.width),
                     (slack.height - strip() - labelRow().height - Gap) / double(block.height));
        if (buttonGrowth <= 1)
            return;
        const std::array<double, 6> before = buttonScales;
        for (const Action action : Layout::StackingOrder) {
            double& scale = buttonScales[indexOf(action)];
            scale = std::min(scale * buttonGrowth, std::max(1.0, scale));
        }
        if (!fits(room)) // larger buttons may wrap onto another row
            buttonScales = before;
    }
};

// Each control at the floor: the label's font, each button's font, and a finger's target.
PanelPlan floorPlan(const Floor& floor, PixelSize menu) {
    PanelPlan plan;
    plan.menu = menu;
    plan.labelScale = floor.labelFontPixels / double(LabelPlacement.fontPixels);
    for (const Action action : Layout::StackingOrder) {
        const Placement placement = placementOf(action);
        const PixelSize size = designSize(placement);
        plan.buttonScales[indexOf(action)] = std::max(
            {floor.buttonFontPixels / double(placement.fontPixels),
             floor.targetSide / double(size.width), floor.targetSide / double(size.height)});
    }
    return plan;
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
    if (designMeetsFloor(floor) && (view == ViewMode::Fit || contains(area_, label_))) {
        const bool whole =
            std::all_of(StackingOrder.begin(), StackingOrder.end(),
                        [this](Action action) { return contains(area_, button(action)); });
        if (whole) {
            if (!PixelRect{0, 0, menu.width, menu.height}.isEmpty())
                menu_ = {area_.x + area_.width - MenuMargin - menu.width, area_.y + MenuMargin,
                         menu.width, menu.height};
            placeHint();
            return;
        }
    }
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

bool Layout::designMeetsFloor(const Floor& floor) const {
    if (LabelPlacement.fontPixels * zoom_ < floor.labelFontPixels)
        return false;
    return std::all_of(StackingOrder.begin(), StackingOrder.end(), [&](Action action) {
        const PixelRect rect = button(action);
        return placementOf(action).fontPixels * zoom_ >= floor.buttonFontPixels &&
               rect.width >= floor.targetSide && rect.height >= floor.targetSide;
    });
}

namespace {

// The picture and the panel, one way round.
struct Arrangement {
    bool below;
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
    Arrangement result{below, 0, plan, {}, {}};
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
    const PanelPlan plan = floorPlan(floor, menu);
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
        if (chosen.strip)
            menu_ = {area_.x + area.width - MenuMargin - menu.width, area_.y + MenuMargin,
                     menu.width, menu.height};
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
        const Flow flow = panel.flow(actions);
        const int x = content.x + (size.width - flow.size.width) / 2;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const PixelRect& at = flow.places[i];
            buttons_[indexOf(actions[i])] = {x + at.x, y + at.y, at.width, at.height};
        }
    };
    place(AttackRow);
    place(AftermathColumn);
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
    placementOf(action); // Advance has none
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
