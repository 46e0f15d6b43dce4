// The controls stay readable and pressable in every window: at their design places where those
// meet the pointer's floor, else in a panel beside or below the picture. Checked over a grid of
// windows from the smallest to 4K, both ways round, at pixel ratios 1 to 3, with a mouse and
// with a finger, in both views.
#include "game/Layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr PixelSize PageMenu{44, 44};

struct Case {
    PixelSize window;
    ViewMode view;
    double ratio;
    Pointer pointer;

    std::string name() const {
        return std::to_string(window.width) + "x" + std::to_string(window.height) +
               (view == ViewMode::Fit ? " fit" : " actual") + " @" + std::to_string(ratio) +
               (pointer == Pointer::Coarse ? " touch" : " mouse");
    }
    Layout layout() const {
        return Layout(window, view, ratio, pointer,
                      pointer == Pointer::Coarse ? PageMenu : PixelSize{});
    }
    const Floor& floor() const { return pointer == Pointer::Coarse ? TouchFloor : MouseFloor; }
    // Where the floor is promised: a desktop window of 640x450 or more; a phone of 360x640 held
    // either way, or larger.
    bool floorHolds() const {
        if (pointer == Pointer::Fine)
            return window.width >= 640 && window.height >= 450;
        const int shorter = std::min(window.width, window.height);
        const int longer = std::max(window.width, window.height);
        return shorter >= 360 && longer >= 640;
    }
};

std::vector<Case> grid() {
    std::vector<Case> cases;
    const int sides[] = {225, 320, 360, 390, 450, 640, 720, 768, 844, 1024, 1280, 1920, 2160, 3840};
    for (const int width : sides)
        for (const int height : sides)
            for (const ViewMode view : {ViewMode::Fit, ViewMode::Actual})
                for (const double ratio : {1.0, 2.0, 3.0})
                    for (const Pointer pointer : {Pointer::Fine, Pointer::Coarse})
                        if (width >= MinimumSize.width && height >= MinimumSize.height)
                            cases.push_back({{width, height}, view, ratio, pointer});
    return cases;
}

bool inside(const PixelRect& inner, PixelSize window) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= window.width &&
           inner.y + inner.height <= window.height;
}

// What the story shows at once: the label with the attacks, or with the two buttons after one.
const std::vector<std::vector<Action>> ShownTogether{
    {Action::FireBall, Action::FlameBreath, Action::EatHim},
    {Action::TryAnotherChoice, Action::StartOver}};

double fontOf(const Layout::Caption& caption) {
    return caption.fontPixels * caption.scale;
}

} // namespace

TEST(ReadableLayout, EveryControlMeetsTheFloorAndLiesInsideTheWindow) {
    int panels = 0, designs = 0;
    for (const Case& c : grid()) {
        const Layout layout = c.layout();
        SCOPED_TRACE(c.name());
        (layout.panel() ? panels : designs) += 1;
        ASSERT_TRUE(inside(layout.label(), c.window));
        for (const Action action : Layout::StackingOrder)
            ASSERT_TRUE(inside(layout.button(action), c.window)) << nameOf(action).step;
        if (c.pointer == Pointer::Coarse) {
            ASSERT_TRUE(inside(layout.menuButton(), c.window));
        }
        ASSERT_TRUE(inside(layout.continueHint(), c.window));
        ASSERT_GE(layout.hintFontPixels(), 16);
        if (!c.floorHolds())
            continue;
        // A hair's tolerance: a scale times a font size need not come out whole.
        ASSERT_GE(fontOf(layout.labelCaption()), c.floor().labelFontPixels - 1e-9);
        for (const Action action : Layout::StackingOrder) {
            ASSERT_GE(fontOf(layout.buttonCaption(action)), c.floor().buttonFontPixels - 1e-9)
                << nameOf(action).step;
            ASSERT_GE(layout.button(action).width, c.floor().targetSide) << nameOf(action).step;
            ASSERT_GE(layout.button(action).height, c.floor().targetSide) << nameOf(action).step;
        }
    }
    // Both arrangements are in the grid, so both were checked.
    EXPECT_GT(panels, 100);
    EXPECT_GT(designs, 100);
}

TEST(ReadableLayout, InThePanelNothingOverlapsAndNothingCoversThePicture) {
    for (const Case& c : grid()) {
        const Layout layout = c.layout();
        if (!layout.panel())
            continue;
        SCOPED_TRACE(c.name());
        const PixelRect picture = layout.picture();
        EXPECT_FALSE(layout.label().intersects(picture));
        EXPECT_FALSE(layout.menuButton().intersects(picture));
        EXPECT_FALSE(layout.menuButton().intersects(layout.label()));
        for (const std::vector<Action>& group : ShownTogether)
            for (const Action action : group) {
                const PixelRect button = layout.button(action);
                EXPECT_FALSE(button.intersects(picture)) << nameOf(action).step;
                EXPECT_FALSE(button.intersects(layout.label())) << nameOf(action).step;
                EXPECT_FALSE(button.intersects(layout.menuButton())) << nameOf(action).step;
                for (const Action other : group)
                    EXPECT_TRUE(other == action || !button.intersects(layout.button(other)))
                        << nameOf(action).step << " and " << nameOf(other).step;
            }
        // The picture is shown whole, as large as the panel leaves room for, in actual size too.
        EXPECT_TRUE(inside(picture, c.window));
        if (c.view == ViewMode::Actual) {
            EXPECT_EQ((PixelSize{picture.width, picture.height}), layout.client());
        }
    }
}

// Where the design places meet the floor, the design is kept exactly: every control at its
// zoomed place over the picture, and the panel only where the design would fall short.
TEST(ReadableLayout, TheDesignStaysWhereverItMeetsTheFloor) {
    for (const Case& c : grid()) {
        const Layout layout = c.layout();
        SCOPED_TRACE(c.name());
        const double zoom = layout.zoom();
        if (!layout.panel()) {
            const PixelPoint at = layout.origin();
            EXPECT_EQ(layout.label(), (PixelRect{at.x + static_cast<int>(std::lround(528 * zoom)),
                                                 at.y + static_cast<int>(std::lround(104 * zoom)),
                                                 static_cast<int>(std::lround(369 * zoom)),
                                                 static_cast<int>(std::lround(233 * zoom))}));
            EXPECT_EQ(layout.buttonCaption(Action::StartOver).scale, zoom);
            continue;
        }
        if (c.view != ViewMode::Fit)
            continue;
        // Fitted, the design's zoom would have fallen below the floor somewhere.
        const PixelRect area = layout.area();
        const double designZoom =
            std::max(0.3125, std::min(area.width / 1024.0, area.height / 720.0));
        const Floor& floor = c.floor();
        const bool designReadable = 13 * designZoom >= floor.buttonFontPixels &&
                                    std::lround(41 * designZoom) >= floor.targetSide &&
                                    29 * designZoom >= floor.labelFontPixels;
        EXPECT_FALSE(designReadable);
    }
}

// A phone held upright gets the picture across its width and the controls below it, larger
// than the floor where the width allows; a window too small for the design in actual size
// takes the controls into the panel, so that every button is in reach.
TEST(ReadableLayout, APhoneGetsThePanelBelowAndASmallWindowBeside) {
    const Layout phone({390, 844}, ViewMode::Fit, 3.0, Pointer::Coarse, PageMenu);
    ASSERT_TRUE(phone.panel());
    EXPECT_EQ(phone.picture().width, 390);
    EXPECT_GT(phone.label().y, phone.picture().y + phone.picture().height);
    EXPECT_GE(fontOf(phone.labelCaption()), 24.0);
    EXPECT_EQ(phone.continueText(), TapText);

    const Layout desk({640, 450}, ViewMode::Fit);
    ASSERT_TRUE(desk.panel());
    EXPECT_GT(desk.label().x, desk.picture().x + desk.picture().width);
    EXPECT_EQ(desk.continueText(), ContinueText);

    const Layout stored({786, 621}, ViewMode::Actual);
    ASSERT_TRUE(stored.panel());
    EXPECT_LT(stored.client().width, 786);
    EXPECT_TRUE(inside(stored.button(Action::EatHim), {786, 621}));
}

// The hint sits in a bar where one has room for it, else over the picture's lower-left corner,
// and in the panel where the buttons will be; it grows with the picture, and is never small.
TEST(ReadableLayout, TheContinueHintGoesInABarTheCornerOrTheLabel) {
    const Layout square({1024, 768}, ViewMode::Fit); // bars of 24 above and below
    EXPECT_GE(square.continueHint().y, 744);
    const Layout wide({2400, 1080}, ViewMode::Fit); // bars of 432 either side
    EXPECT_LE(wide.continueHint().x + wide.continueHint().width, 432);
    EXPECT_EQ(wide.continueHint().y + wide.continueHint().height, 1080 - 8);
    EXPECT_GT(wide.hintFontPixels(), 16);
    const Layout exact({1280, 900}, ViewMode::Fit); // no bar
    EXPECT_TRUE(exact.continueHint().intersects(exact.picture()));
    EXPECT_EQ(exact.continueHint().x, 8);
    // In the panel, where the buttons will be: off the label, which takes no click.
    const Layout phone({360, 640}, ViewMode::Fit, 2.0, Pointer::Coarse, PageMenu);
    EXPECT_FALSE(phone.continueHint().intersects(phone.label()));
    EXPECT_FALSE(phone.continueHint().intersects(phone.picture()));
    EXPECT_TRUE(phone.continueHint().intersects(phone.button(Action::FireBall)));
}
