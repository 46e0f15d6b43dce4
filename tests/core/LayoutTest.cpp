#include "game/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

PixelRect windowRect(PixelSize window) {
    return {0, 0, window.width, window.height};
}

} // namespace

TEST(Layout, ActualSizeShowsTheWindowAsItIsAndTheControlsWhereTheDescriptionPutsThem) {
    const Layout layout({786, 621}, ViewMode::Actual);
    EXPECT_EQ(layout.client(), (PixelSize{786, 621}));
    EXPECT_EQ(layout.zoom(), 1.0);
    EXPECT_EQ(layout.origin(), (PixelPoint{0, 0}));
    EXPECT_EQ(layout.label(), (PixelRect{528, 104, 369, 233}));
    EXPECT_EQ(layout.button(Action::EatHim), (PixelRect{800, 296, 145, 73}));
    EXPECT_EQ(layout.button(Action::StartOver), (PixelRect{656, 264, 169, 41}));
    EXPECT_EQ(layout.labelFontPixels(), 29);
    EXPECT_EQ(layout.buttonFontPixels(Action::FireBall), 16);
    EXPECT_EQ(layout.buttonFontPixels(Action::TryAnotherChoice), 13);
}

// The design fills the window's shorter way and is centred the other way, bars either side.
TEST(Layout, FittedTheDesignIsScaledAndCentred) {
    const Layout wide({1600, 600}, ViewMode::Fit);
    EXPECT_EQ(wide.client(), DesignSize);
    EXPECT_DOUBLE_EQ(wide.zoom(), 600.0 / 720);
    EXPECT_EQ(wide.origin(), (PixelPoint{373, 0}));
    EXPECT_EQ(wide.label(), (PixelRect{373 + 440, 87, 308, 194}));

    const Layout tall({512, 1000}, ViewMode::Fit);
    EXPECT_DOUBLE_EQ(tall.zoom(), 0.5);
    EXPECT_EQ(tall.origin(), (PixelPoint{0, 320}));
    EXPECT_EQ(tall.button(Action::EatHim), (PixelRect{400, 320 + 148, 73, 37}));
    // Half of 29 and of 13 round up to whole pixels.
    EXPECT_EQ(tall.labelFontPixels(), 15);
    EXPECT_EQ(tall.buttonFontPixels(Action::StartOver), 7);

    // However small the window, the controls keep a size and a readable caption of a pixel.
    const Layout tiny({4, 3}, ViewMode::Fit);
    EXPECT_EQ(tiny.zoom(), 0.05);
    EXPECT_FALSE(tiny.button(Action::FireBall).isEmpty());
    EXPECT_EQ(tiny.buttonFontPixels(Action::StartOver), 1);
}

TEST(Layout, AButtonIsReachableWhileSomeOfItLiesInTheWindow) {
    const PixelSize cut{786, 621};
    const Layout actual(cut, ViewMode::Actual);
    EXPECT_TRUE(actual.reachable(Action::Advance));
    EXPECT_TRUE(actual.reachable(Action::FireBall));
    EXPECT_FALSE(actual.reachable(Action::EatHim)); // starts at x = 800
    EXPECT_TRUE(Layout({801, 621}, ViewMode::Actual).reachable(Action::EatHim));
    EXPECT_FALSE(Layout({500, 400}, ViewMode::Actual).reachable(Action::FlameBreath));
    for (const PixelSize window : {cut, PixelSize{200, 150}, PixelSize{4000, 300}}) {
        const Layout fitted(window, ViewMode::Fit);
        for (const Action button : Layout::StackingOrder) {
            EXPECT_TRUE(fitted.reachable(button));
            EXPECT_TRUE(fitted.button(button).intersects(windowRect(window)));
        }
    }
}

// Whatever size the window manager gives the window, the game uses at most MaxDeviceSide
// device pixels a side of it, centred, and both views lay out within that.
TEST(Layout, AWindowBeyondTheDeviceCapIsUsedOnlyUpToItCentred) {
    const Layout wide({5000, 300}, ViewMode::Actual, 2.0); // 4096 logical pixels at ratio 2
    EXPECT_EQ(wide.area(), (PixelRect{452, 0, 4096, 300}));
    EXPECT_EQ(wide.client(), (PixelSize{4096, 300}));
    EXPECT_EQ(wide.origin(), (PixelPoint{452, 0}));
    EXPECT_EQ(wide.label(), (PixelRect{452 + 528, 104, 369, 233}));

    const Layout huge({20000, 20000}, ViewMode::Fit);
    EXPECT_EQ(huge.area(), (PixelRect{5904, 5904, 8192, 8192}));
    EXPECT_DOUBLE_EQ(huge.zoom(), 8.0);
    EXPECT_EQ(huge.origin(), (PixelPoint{5904, 5904 + (8192 - 720 * 8) / 2}));
    EXPECT_TRUE(huge.reachable(Action::EatHim));

    // Fractional ratios keep whole logical pixels, as many as fit.
    for (const double ratio : {1.25, 1.5, 3.0}) {
        const PixelRect area = Layout({30000, 30000}, ViewMode::Actual, ratio).area();
        EXPECT_LE(area.width * ratio, MaxDeviceSide) << ratio;
        EXPECT_GT((area.width + 1) * ratio, MaxDeviceSide) << ratio;
    }
    // Up to the cap the window is the area.
    EXPECT_EQ(Layout({4096, 4096}, ViewMode::Fit, 2.0).area(), (PixelRect{0, 0, 4096, 4096}));
    EXPECT_EQ(Layout({786, 621}, ViewMode::Actual).area(), (PixelRect{0, 0, 786, 621}));
}

// Every button is stacked and reached by Tab exactly once, Advance never.
TEST(Layout, EveryButtonHasItsPlaceInBothOrders) {
    for (const auto& order : {Layout::StackingOrder, Layout::TabOrder})
        for (const ActionName& entry : ActionNames)
            EXPECT_EQ(std::count(order.begin(), order.end(), entry.action),
                      hasButton(entry.action) ? 1 : 0)
                << entry.step;
}
