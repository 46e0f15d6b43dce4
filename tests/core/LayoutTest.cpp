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
    EXPECT_EQ(layout.labelCaption().fontPixels, 29);
    EXPECT_EQ(layout.buttonCaption(Action::FireBall).fontPixels, 16);
    EXPECT_EQ(layout.buttonCaption(Action::TryAnotherChoice).fontPixels, 13);
    EXPECT_EQ(layout.buttonCaption(Action::TryAnotherChoice).scale, 1.0);
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
}

// A caption is laid out in its control's design size and drawn scaled: whatever the zoom, it is
// the same text block, only larger or smaller, so it keeps its lines.
TEST(Layout, CaptionsAreLaidOutAsDesignedAndScaledByTheZoom) {
    const Layout design(DesignSize, ViewMode::Fit);
    for (const PixelSize window : {PixelSize{1008, 708}, PixelSize{320, 225}, PixelSize{2560, 1800},
                                   PixelSize{900, 633}, PixelSize{1600, 500}}) {
        const Layout fitted(window, ViewMode::Fit);
        const Layout::Caption label = fitted.labelCaption();
        EXPECT_EQ(label.box, design.labelCaption().box);
        EXPECT_EQ(label.fontPixels, 29);
        EXPECT_DOUBLE_EQ(label.scale, fitted.zoom());
        // The zoomed control holds the scaled box to within the rounding of its size.
        EXPECT_NEAR(label.box.width * label.scale, fitted.label().width, 0.5);
        for (const Action action : Layout::TabOrder) {
            const Layout::Caption button = fitted.buttonCaption(action);
            EXPECT_EQ(button.box, design.buttonCaption(action).box);
            EXPECT_EQ(button.fontPixels, design.buttonCaption(action).fontPixels);
            EXPECT_NEAR(button.box.height * button.scale, fitted.button(action).height, 0.5);
        }
    }
    EXPECT_EQ(design.buttonCaption(Action::FireBall).box, (PixelSize{129, 73}));
}

// Nothing is laid out smaller than in the smallest window: the captions stay about four pixels
// tall or more.
TEST(Layout, TheSmallestWindowSetsTheSmallestZoom) {
    EXPECT_DOUBLE_EQ(Layout(MinimumSize, ViewMode::Fit).zoom(), 0.3125);
    const Layout tiny({4, 3}, ViewMode::Fit);
    EXPECT_DOUBLE_EQ(tiny.zoom(), 0.3125);
    EXPECT_EQ(tiny.button(Action::EatHim).width, 45);
    EXPECT_GE(tiny.buttonCaption(Action::StartOver).fontPixels * tiny.zoom(), 4.0);
}

// The hint sits in a bar where one has room for it, else over the picture's lower-left corner.
TEST(Layout, TheContinueHintGoesInABarOrOverTheCorner) {
    const PixelSize hint = Layout::HintSize;
    // 4:3: bars above and below, 24 pixels each; the hint in the lower one.
    const Layout square({1024, 768}, ViewMode::Fit);
    EXPECT_EQ(square.continueHint(),
              (PixelRect{8, 744 + (24 - hint.height) / 2, hint.width, hint.height}));
    // 16:9: bars either side, 192 pixels wide; the hint at the foot of the left one.
    const Layout wide({1920, 1080}, ViewMode::Fit);
    EXPECT_EQ(wide.continueHint(),
              (PixelRect{(192 - hint.width) / 2, 1080 - 8 - hint.height, hint.width, hint.height}));
    // The design's shape: no bar, over the picture.
    const Layout exact({1280, 900}, ViewMode::Fit);
    EXPECT_EQ(exact.continueHint(), (PixelRect{8, 900 - 8 - hint.height, hint.width, hint.height}));
    // Bars too thin for it count as none.
    const Layout thin({1040, 730}, ViewMode::Fit);
    EXPECT_EQ(thin.continueHint().x, thin.origin().x + 8);
    EXPECT_EQ(thin.continueHint().y, 730 - 8 - hint.height);
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
