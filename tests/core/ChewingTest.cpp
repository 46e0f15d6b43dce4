#include "attacks/Chewing.h"
#include "AttackTrace.h"
#include "canvas/Palette.h"

#include <gtest/gtest.h>

TEST(Chewing, BandJawArcAndTwoChewsEachOpeningFromTheJawTip) {
    AttackTrace t;
    chewGoblin(t.stage);

    // band, jaw, arc, opening, scraps, closing, wider opening, scraps, final closing
    const auto& R = AttackTrace::Repeat;
    EXPECT_EQ(t.Pattern(), R("p", 500 + 12250 + 1) + R("p30", 500) + "pp" + R("p", 4250) +
                               R("p30", 800) + "pp" + R("p", 6250));

    const auto lines = t.surface.lines();
    ASSERT_EQ(lines.size(), 24550u);
    const Color back = Palette::Background, red = rgb(255, 0, 0);
    const auto line = [&](std::size_t at, Color colour) {
        EXPECT_EQ(lines[at].colour, colour) << at;
        return std::make_tuple(lines[at].x1, lines[at].y1, lines[at].x2, lines[at].y2);
    };
    const auto fromPivot = [](float x, float y) { return std::make_tuple(4000.f, 3500.f, x, y); };
    EXPECT_EQ(line(0, back), std::make_tuple(6818.5f, 4068.5f, 4000.f, 5300.f));
    EXPECT_EQ(line(499, back), std::make_tuple(6818.5f, 6064.5f, 4000.f, 7296.f));
    EXPECT_EQ(line(500, red), fromPivot(4000, 5300));
    EXPECT_EQ(line(12749, red), fromPivot(6817.27f, 4075.1f));
    EXPECT_EQ(line(12750, back), fromPivot(6817.5f, 4075));
    EXPECT_EQ(line(13249, back), fromPivot(6318.5f, 4574));
    EXPECT_EQ(line(13250, red), fromPivot(5840, 4500));
    EXPECT_EQ(line(17499, red), line(12749, red));
    EXPECT_EQ(line(17500, back), line(12750, back));
    EXPECT_EQ(line(18299, back), fromPivot(6018.5f, 4874));
    EXPECT_EQ(line(18300, red), fromPivot(5380, 4700));
    EXPECT_EQ(line(24549, red), line(12749, red));

    const CircleShape arc = t.surface.circles().at(0).shape;
    EXPECT_EQ(arc.outline, Outline::Arc);
    EXPECT_EQ(std::make_tuple(arc.x, arc.y, arc.radius, arc.colour, arc.start, arc.end),
              std::make_tuple(2500.f, 3500.f, 400.f, rgb(200, 0, 0), static_cast<float>(3.14 / 3),
                              static_cast<float>(9.42 / 2 - 1)));
}

TEST(Chewing, ScrapsAreFilledGreenAndPlacedFromTheCorner) {
    AttackTrace t;
    t.surface.resize(11790, 9315);
    chewGoblin(t.stage);
    const auto circles = t.surface.circles();
    ASSERT_EQ(circles.size(), 5u);
    const std::tuple<float, float, float, float> scraps[] = {
        {2190, 2615, 200, 1}, {2390, 2615, 100, 1}, {1790, 2615, 300, 0.5f}, {2390, 2615, 100, 1}};
    for (int i = 0; i < 4; ++i) {
        const auto& c = circles[i + 1];
        EXPECT_EQ(std::make_tuple(c.shape.x, c.shape.y, c.shape.radius, c.shape.aspect), scraps[i]);
        EXPECT_TRUE(c.shape.outline == Outline::Closed && c.fill == rgb(0, 120, 0) &&
                    c.shape.colour == rgb(0, 120, 0));
    }
}
