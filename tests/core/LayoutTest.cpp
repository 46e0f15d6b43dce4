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

// Every button is stacked and reached by Tab exactly once, Advance never.
TEST(Layout, EveryButtonHasItsPlaceInBothOrders) {
    for (const auto& order : {Layout::StackingOrder, Layout::TabOrder})
        for (const ActionName& entry : ActionNames)
            EXPECT_EQ(std::count(order.begin(), order.end(), entry.action),
                      hasButton(entry.action) ? 1 : 0)
                << entry.step;
}
