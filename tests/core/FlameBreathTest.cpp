#include "attacks/FlameBreath.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <vector>

namespace {

using namespace Palette;

struct Point {
    float x, y;
};

// Whether (x, y) lies inside the convex polygon, corners clockwise on screen, or within `margin`
// of it.
bool within(const std::vector<Point>& polygon, float x, float y, float margin) {
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const float cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        if (cross / std::hypot(b.x - a.x, b.y - a.y) < -margin)
            return false;
    }
    return true;
}

// Where flames from the 50-twip square at (x, y) may run when they end at most 2998 twips from
// the corner (w, h): the hull of the square and of the box in the corner.
std::vector<Point> flameReach(float x, float y, float w, float h) {
    return {{x, y}, {x + 50, y}, {w, h - 2998}, {w, h}, {w - 2998, h}, {x, y + 50}};
}

bool isFlame(Color colour) {
    return redOf(colour) == 255 && greenOf(colour) < 255;
}

} // namespace

// The window starts small and grows as the first burst ends: the later bursts reach the new
// corner, where the goblin now stands.
TEST(FlameBreath, OpensTheMouthThenFiveBurstsRunFromItToTheGoblinsCorner) {
    StageOn<PixelGrid> p;
    const float smallW = 11790, smallH = 9315, x = 4300, y = 4200;
    p.surface.resize(smallW, smallH);
    // The beast's body in a colour no flame has.
    p.stage.canvas.setFillColor(Maroon);
    p.stage.canvas.ellipse(BodyX, BodyY, BodyRadius, Maroon, 0.6f);

    // The burst whose line was drawn last: the bursts grow less blue, so it is the least blue
    // flame in the square the lines start from; -1 for none.
    const auto newestBlue = [&] {
        int blue = -1;
        for (float cx = x; cx < x + 50; cx += 15)
            for (float cy = y; cy < y + 50; cy += 15)
                if (const Color c = p.surface.at(cx, cy); isFlame(c))
                    blue = blue < 0 ? blueOf(c) : std::min(blue, blueOf(c));
        return blue;
    };
    HoldWatch watch(p.timeline);
    int unlit = 0;
    bool mouthOpen = false;
    HoldWatch::Runs shownBlues; // at each hold with flames, the newest burst's blue
    watch.look = [&](std::size_t) {
        const int blue = newestBlue();
        if (blue < 0) {
            ++unlit;
            // Open down and to the right of the mouth, the body left above and below the fan.
            mouthOpen = p.surface.at(MouthX + 1500, MouthY + 1000) == Background &&
                        p.surface.at(MouthX + 1500, MouthY + 200) == Maroon &&
                        p.surface.at(MouthX + 500, MouthY + 1000) == Maroon;
            return;
        }
        if (shownBlues.empty() || shownBlues.back().first != blue)
            shownBlues.emplace_back(blue, 0);
        if (++shownBlues.back().second == 999 && blue == 50)
            p.surface.resize(15360, 10800);
    };
    breatheFlame(p.stage, 4300, 4200).finish();

    EXPECT_EQ(watch.runs(), (HoldWatch::Runs{{10, 4999}, {20, 4995}}));
    EXPECT_EQ(unlit, 4999);
    EXPECT_TRUE(mouthOpen) << "the sweep did not open the mouth before the flames";
    // Each flame line is on screen, starting in the mouth, as its hold begins.
    EXPECT_EQ(shownBlues, (HoldWatch::Runs{{50, 999}, {40, 999}, {30, 999}, {20, 999}, {0, 999}}));

    int strays = 0, pastTheOldEdge = 0;
    p.surface.forEachCell([&](float cx, float cy, Color colour) {
        if (!isFlame(colour))
            return;
        const bool first = blueOf(colour) == 50;
        const auto reach =
            first ? flameReach(x, y, smallW, smallH) : flameReach(x, y, 15360, 10800);
        strays += !within(reach, cx, cy, 15);
        pastTheOldEdge += !first && cx > smallW;
    });
    EXPECT_EQ(strays, 0);
    EXPECT_GT(pastTheOldEdge, 1000);
}

TEST(FlameBreath, EachLineTakesItsFiveDrawsInOrderAfterAReseed) {
    StageFixture t;
    sprayFlames(t.stage, 30, -20, 100).finish();

    RandomSource twin{TestSeed, StillClock};
    const auto draw = [&](double scale) { return static_cast<int>(twin.nextRandom() * scale); };
    for (const auto& l : t.surface.lines()) {
        twin.reseedRandom();
        const int right = draw(1500), bottom = draw(1500);
        const int green = draw(255), jx = draw(50), jy = draw(50);
        ASSERT_EQ(l.colour, rgb(255, green, 30));
        ASSERT_EQ(
            std::make_tuple(l.x1, l.y1, l.x2, l.y2),
            std::make_tuple(-20.f + jx, 100.f + jy, 15360.f - 2 * right, 10800.f - 2 * bottom));
    }
}

TEST(FlameBreath, PassesWithinOneClockTickStillDrawDifferentLines) {
    StageFixture t; // its clock never moves
    sprayFlames(t.stage, 0, 4300, 4200).finish();
    sprayFlames(t.stage, 0, 4300, 4200).finish();
    std::set<std::tuple<float, float, float, float, Color>> distinct;
    for (const auto& l : t.surface.lines())
        distinct.insert({l.x1, l.y1, l.x2, l.y2, l.colour});
    EXPECT_GT(distinct.size(), 1990u);
}
