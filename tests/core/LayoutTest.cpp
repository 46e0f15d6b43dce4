#include "game/Layout.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(Layout, ActualSizeShowsTheWindowAsItIsAndTheControlsWhereTheDescriptionPutsThem) {
    const Layout layout({1024, 720}, ViewMode::Actual);
    EXPECT_FALSE(layout.panel());
    EXPECT_EQ(layout.client(), (PixelSize{1024, 720}));
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
    const Layout wide({2400, 1440}, ViewMode::Fit);
    EXPECT_FALSE(wide.panel());
    EXPECT_EQ(wide.client(), DesignSize);
    EXPECT_DOUBLE_EQ(wide.zoom(), 2.0);
    EXPECT_EQ(wide.origin(), (PixelPoint{176, 0}));
    EXPECT_EQ(wide.label(), (PixelRect{176 + 1056, 208, 738, 466}));

    const Layout tall({1536, 2000}, ViewMode::Fit);
    EXPECT_DOUBLE_EQ(tall.zoom(), 1.5);
    EXPECT_EQ(tall.origin(), (PixelPoint{0, 460}));
    EXPECT_EQ(tall.button(Action::EatHim), (PixelRect{1200, 460 + 444, 218, 110}));
}

// A caption is laid out in its control's design size and drawn scaled: whatever the zoom, it is
// the same text block, only larger or smaller, so it keeps its lines.
TEST(Layout, CaptionsAreLaidOutAsDesignedAndScaledByTheZoom) {
    const Layout design(DesignSize, ViewMode::Fit);
    for (const PixelSize window : {PixelSize{1008, 708}, PixelSize{2560, 1800},
                                   PixelSize{1300, 950}, PixelSize{3000, 1000}}) {
        const Layout fitted(window, ViewMode::Fit);
        ASSERT_FALSE(fitted.panel()) << window.width;
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

// Whatever size the window manager gives the window, the game uses at most MaxDeviceSide
// device pixels a side of it, centred, and both views lay out within that.
TEST(Layout, AWindowBeyondTheDeviceCapIsUsedOnlyUpToItCentred) {
    const Layout wide({5000, 800}, ViewMode::Actual, 2.0); // 4096 logical pixels at ratio 2
    EXPECT_EQ(wide.area(), (PixelRect{452, 0, 4096, 800}));
    EXPECT_EQ(wide.client(), (PixelSize{4096, 800}));
    EXPECT_EQ(wide.origin(), (PixelPoint{452, 0}));
    EXPECT_EQ(wide.label(), (PixelRect{452 + 528, 104, 369, 233}));

    const Layout huge({20000, 20000}, ViewMode::Fit);
    EXPECT_EQ(huge.area(), (PixelRect{5904, 5904, 8192, 8192}));
    EXPECT_DOUBLE_EQ(huge.zoom(), 8.0);
    EXPECT_EQ(huge.origin(), (PixelPoint{5904, 5904 + (8192 - 720 * 8) / 2}));

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
