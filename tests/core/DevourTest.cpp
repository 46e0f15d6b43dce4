#include "attacks/Devour.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "scene/Goblin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Palette;

constexpr float W = 15360, H = 10800, Cell = 30;

struct Grid : PixelGrid {
    Grid() : PixelGrid(W, H, Cell) {}
};
using Picture = StageOn<Grid>;

// The tongue leaves the mouth at a slope of 1/2.
float tongueY(float x) {
    return MouthY + (x - MouthX) / 2;
}

bool isGreen(Color colour) {
    return colour == GoblinGreen;
}

void paintBody(Picture& p) {
    p.stage.canvas.setFillColor(Red);
    p.stage.canvas.ellipse(BodyX, BodyY, BodyRadius, Red, 0.6f);
}

// Whether `reeled` shows the goblin's green and black where `standing` does, but for its wedge.
bool sameFigure(const PixelGrid& reeled, const PixelGrid& standing) {
    bool same = true;
    standing.forEachCell([&](float x, float y, Color colour) {
        const Color other = reeled.at(x, y);
        same = same && (colour == WedgeGrey || ((isGreen(colour) == isGreen(other)) &&
                                                ((colour == Black) == (other == Black))));
    });
    return same;
}

} // namespace

TEST(Devour, TheTongueReachesTheGoblinWhichIsReeledInToTheMouthOneHoldAtATime) {
    Picture p;
    paintBody(p);
    Picture standing;
    drawGoblin(standing.stage, GoblinHeadRadius, GoblinBodyRadius).finish();

    HoldWatch watch(p.timeline);
    int beforeTheTongue = 0;
    std::vector<PixelGrid::Extent> goblin; // at each hold once the tongue is out
    bool tongueOut = false, startsAsTheStandingOne = false, tongueReaches = true, mouthOpen = false;
    watch.look = [&](std::size_t) {
        tongueOut = tongueOut || p.surface.at(MouthX + 600, tongueY(MouthX + 600)) == DarkRed;
        if (!tongueOut) {
            ++beforeTheTongue;
            return;
        }
        goblin.push_back(p.surface.extentOf(isGreen));
        if (goblin.size() > 1)
            return;
        // The first time the goblin is reeled, it is where it stood, less its wedge; the tongue
        // runs from the mouth up to its head, through a body opened below and right of its centre.
        startsAsTheStandingOne = sameFigure(p.surface, standing.surface);
        // Unbroken from the mouth until it meets the head, and not out the other side.
        float x = MouthX + 100;
        for (; x < W && !isGreen(p.surface.at(x, tongueY(x))); x += Cell / 2)
            tongueReaches = tongueReaches && p.surface.at(x, tongueY(x)) == DarkRed;
        tongueReaches =
            tongueReaches && x < W - 2000 && p.surface.at(W - 1400, tongueY(W - 1400)) != DarkRed;
        mouthOpen = p.surface.at(BodyX + 2500, BodyY + 600) == Background &&
                    p.surface.at(BodyX + 2500, BodyY + 200) == Red &&
                    p.surface.at(BodyX - 1000, BodyY + 1000) == Red;
    };
    devourGoblin(p.stage, MouthX, MouthY).finish();

    EXPECT_EQ(watch.runs(), (HoldWatch::Runs{{10, 4999}, {5, 430}}));
    EXPECT_EQ(beforeTheTongue, 4999);
    ASSERT_EQ(goblin.size(), 430u) << "the goblin was not on screen at every hold";
    EXPECT_TRUE(startsAsTheStandingOne);
    EXPECT_TRUE(tongueReaches) << "the tongue stops short of the goblin's head or runs past it";
    EXPECT_TRUE(mouthOpen);

    // One goblin at every hold, the last erased before the next, moving along the tongue's slope
    // towards the mouth.
    const PixelGrid::Extent first = goblin.front();
    for (std::size_t i = 1; i < goblin.size(); ++i) {
        const PixelGrid::Extent& now = goblin[i];
        ASSERT_NEAR(now.right - now.left, first.right - first.left, Cell) << "hold " << i;
        ASSERT_NEAR(now.bottom - now.top, first.bottom - first.top, Cell) << "hold " << i;
        ASSERT_LE(now.left, goblin[i - 1].left + Cell) << "hold " << i;
        ASSERT_NEAR(now.top - first.top, (now.left - first.left) / 2, Cell) << "hold " << i;
    }
    EXPECT_LT(goblin.back().left, first.left - 8000);

    // It comes to rest with its head at the mouth, on its right foot only (the feet are 1000
    // twips apart at the bottom of the figure).
    const PixelGrid::Extent rest = p.surface.extentOf(isGreen);
    EXPECT_LT(std::hypot(rest.left - MouthX, rest.top - MouthY), 300);
    const float feetY = rest.bottom - 100, rightFootX = rest.right - 300;
    EXPECT_EQ(p.surface.at(rightFootX, feetY), GoblinGreen);
    EXPECT_NE(p.surface.at(rightFootX - 1000, feetY), GoblinGreen);
    EXPECT_EQ(p.surface.fillColor(), GoblinGreen);
}

// The window shrinks as the first reeled head is painted: the rest of that goblin, and all
// after it, are placed from the new corner.
TEST(Devour, TheGoblinFollowsAResizeAtOnce) {
    Picture still;
    devourGoblin(still.stage, MouthX, MouthY).finish();
    const PixelGrid::Extent restAtFullSize = still.surface.extentOf(isGreen);

    Picture p;
    HoldWatch watch(p.timeline);
    const float w = 11790, h = 9315;
    watch.drawn = [&] {
        if (p.surface.width() == W && p.surface.at(W - 2000, H - 2000) == GoblinGreen)
            p.surface.resize(w, h);
    };
    bool bodyFollowed = false;
    watch.look = [&](std::size_t before) {
        if (before == 4999)
            bodyFollowed = p.surface.at(w - 2000, h - 1000) == GoblinGreen;
    };
    devourGoblin(p.stage, MouthX, MouthY).finish();
    EXPECT_EQ(p.surface.width(), w);
    EXPECT_TRUE(bodyFollowed) << "the goblin's body was painted at the old corner";
    const PixelGrid::Extent rest = p.surface.extentOf(isGreen);
    EXPECT_NEAR(rest.left, restAtFullSize.left - (W - w), Cell);
    EXPECT_NEAR(rest.top, restAtFullSize.top - (H - h), Cell);
}
