#include "game/PanelPlan.h"

#include "game/Placement.h"

#include <algorithm>

PanelPlan PanelPlan::atFloor(const Floor& floor, PixelSize menu) {
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

PixelSize PanelPlan::labelSize() const {
    return scaled(designSize(LabelPlacement), labelScale);
}

PixelSize PanelPlan::buttonSize(Action action) const {
    return scaled(designSize(placementOf(action)), buttonScales[indexOf(action)]);
}

PanelPlan::Flow PanelPlan::flow(std::span<const Action> actions) const {
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

PixelSize PanelPlan::buttons() const {
    const PixelSize attacks = flow(Attacks).size;
    const PixelSize aftermath = flow(Aftermath).size;
    return {std::max(attacks.width, aftermath.width), std::max(attacks.height, aftermath.height)};
}

PixelSize PanelPlan::labelRow() const {
    return {labelSize().width + menuBeside(),
            std::max(labelSize().height, menuInRow ? menu.height : 0)};
}

PixelSize PanelPlan::size() const {
    return {std::max({labelRow().width, buttons().width, strip() ? menu.width : 0}),
            strip() + labelRow().height + Gap + buttons().height};
}

bool PanelPlan::fits(PixelSize room) const {
    return size().width <= room.width && size().height <= room.height;
}

void PanelPlan::shrinkInto(PixelSize room) {
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

void PanelPlan::growInto(PixelSize room) {
    if (!fits(room))
        return;
    // Whole pixels round up by half a pixel at most, so a pixel's slack each way.
    const PixelSize slack{room.width - 2, room.height - 2};
    const PixelSize label = labelSize();
    const double labelGrowth = std::min(
        {std::max(1.0, labelScale) / labelScale, (slack.width - menuBeside()) / double(label.width),
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
