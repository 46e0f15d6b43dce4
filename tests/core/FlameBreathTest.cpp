#include "attacks/FlameBreath.h"
#include "AttackTrace.h"
#include "canvas/Palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

TEST(FlameBreath, SweepThenFiveBurstsFollowingTheWindowBetweenBursts) {
    AttackTrace t;
    // After the first burst's last pause the window shrinks to its stored size.
    t.afterStep = [&](std::size_t step) {
        if (step == 2 * 4999 + 2 * 999)
            t.surface.resize(11790, 9315);
    };
    breatheFlame(t.stage, 4300, 4200);

    EXPECT_EQ(t.Pattern(), AttackTrace::Repeat("p10", 4999) + AttackTrace::Repeat("p20", 4995));
    const auto lines = t.surface.lines();
    ASSERT_EQ(lines.size(), 4999u + 5 * 999u);
    EXPECT_TRUE(lines[0].x2 == 9000 && lines[4998].y2 == 9999);
    EXPECT_EQ(lines[4998].colour, Palette::Background);
    const int blues[] = {50, 40, 30, 20, 0};
    for (std::size_t i = 4999; i < lines.size(); ++i) {
        const auto& l = lines[i];
        const std::size_t burst = (i - 4999) / 999;
        ASSERT_EQ(l.colour & 0xff00ff, rgb(255, 0, blues[burst])) << i;
        ASSERT_LE(greenOf(l.colour), 254);
        ASSERT_TRUE(l.x1 >= 4300 && l.x1 <= 4349 && l.y1 >= 4200 && l.y1 <= 4249);
        // Within 2998 twips of the corner, on even offsets from both edges.
        const float dx = (burst == 0 ? 15360 : 11790) - l.x2;
        const float dy = (burst == 0 ? 10800 : 9315) - l.y2;
        ASSERT_TRUE(dx >= 0 && dx <= 2998 && dy >= 0 && dy <= 2998) << i;
        ASSERT_TRUE(std::fmod(dx, 2.0f) == 0 && std::fmod(dy, 2.0f) == 0);
    }
}

TEST(FlameBreath, EachLineTakesItsFiveDrawsInOrderAfterAReseed) {
    AttackTrace t;
    sprayFlames(t.stage, 30, -20, 100);

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
    AttackTrace t; // its clock never moves
    sprayFlames(t.stage, 0, 4300, 4200);
    sprayFlames(t.stage, 0, 4300, 4200);
    std::set<std::tuple<float, float, float, float, Color>> distinct;
    for (const auto& l : t.surface.lines())
        distinct.insert({l.x1, l.y1, l.x2, l.y2, l.colour});
    EXPECT_GT(distinct.size(), 1990u);
}
