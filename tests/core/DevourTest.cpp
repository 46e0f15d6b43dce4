#include "attacks/Devour.h"
#include "AttackTrace.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "scene/Goblin.h"

#include <gtest/gtest.h>

namespace {

using Line = RecordingCanvas::LineCall;
using Circle = RecordingCanvas::CircleCall;
constexpr Color Green = rgb(0, 120, 0), Back = Palette::Background;
constexpr std::size_t Sweep = 4999, Tongue = 9100, Pass = 18;

auto Form(const Circle& c) {
    return std::make_tuple(c.shape.x, c.shape.y, c.shape.radius, c.shape.aspect);
}
auto Ends(const Line& l) {
    return std::make_tuple(l.x1, l.y1, l.x2, l.y2);
}

} // namespace

TEST(Devour, SweepTongueReelInAndFinalPoseWithoutLeftFoot) {
    AttackTrace t;
    devourGoblin(t.stage, 4000, 4000);
    const float W = 15360, H = 10800;

    EXPECT_EQ(t.Pattern(), AttackTrace::Repeat("p10", Sweep) + AttackTrace::Repeat("p", Tongue) +
                               AttackTrace::Repeat("ppppppppp5ppppppppp", 430) + "pppppppp");
    const auto& all = t.surface.primitives();
    EXPECT_EQ(std::get<Line>(all[0]).x2, 8999);
    // The tongue: two touching dark-red lines per pass, 4550 passes.
    for (std::size_t i = Sweep; i < Sweep + Tongue; ++i)
        ASSERT_EQ(std::get<Line>(all[i]).colour, rgb(200, 0, 0));
    EXPECT_EQ(Ends(std::get<Line>(all[Sweep])), std::make_tuple(4000.f, 3999.f, 4002.f, 4000.f));
    EXPECT_EQ(std::get<Line>(all[Sweep + Tongue - 2]).y2, 8549.f);
    EXPECT_EQ(Ends(std::get<Line>(all[Sweep + Tongue - 1])),
              std::make_tuple(13098.f, 8549.f, 13100.f, 8550.f));

    // The reel-in: painted, then erased in BackColor, (-20, -10) further per pass.
    for (int p = 0; p < 430; ++p) {
        const std::size_t at = Sweep + Tongue + Pass * p;
        const auto& head = std::get<Circle>(all[at]);
        ASSERT_EQ(Form(head), std::make_tuple(W - 2000 - 20 * p, H - 2000 - 10 * p, 600.f, 1.f));
        ASSERT_TRUE(head.fill == Green && head.shape.colour == Green);
        ASSERT_EQ(Form(std::get<Circle>(all[at + 9])), Form(head));
        for (std::size_t i = at + 9; i < at + Pass; ++i) {
            const auto* c = std::get_if<Circle>(&all[i]);
            ASSERT_TRUE(c ? c->fill == Back && c->shape.colour == Back
                          : std::get<Line>(all[i]).colour == Back);
        }
    }
    const auto& mouth = std::get<Line>(all[Sweep + Tongue + 8]);
    EXPECT_EQ(Ends(mouth), std::make_tuple(W - 2300, H - 1700, W - 1700, H - 1700));
    EXPECT_EQ(mouth.colour, rgb(0, 0, 0));

    // The final pose at pull 4300: head, body, arms and right foot, then three black lines.
    const std::tuple<float, float, float, float> pose[] = {{W - 10600, H - 6300, 600, 1},
                                                           {W - 10600, H - 5300, 700, 1},
                                                           {W - 11100, H - 5800, 200, 0.2f},
                                                           {W - 10100, H - 5800, 200, 0.2f},
                                                           {W - 10100, H - 4700, 300, 0.4f}};
    const std::size_t last = Sweep + Tongue + Pass * 430;
    for (std::size_t i = 0; i < 5; ++i) {
        const auto& c = std::get<Circle>(all[last + i]);
        EXPECT_EQ(Form(c), pose[i]) << i;
        EXPECT_TRUE(c.fill == Green && c.shape.colour == Green);
    }
    for (std::size_t i = last + 5; i < all.size(); ++i)
        EXPECT_EQ(std::get<Line>(all[i]).colour, rgb(0, 0, 0));
}

TEST(Devour, FigureFollowsAResizeAtTheNextPrimitive) {
    AttackTrace t;
    // Shrink the window right after the first reel-in head is painted.
    t.afterStep = [&](std::size_t step) {
        if (step == 2 * Sweep + Tongue + 1)
            t.surface.resize(11790, 9315);
    };
    devourGoblin(t.stage, 4000, 4000);
    const auto circles = t.surface.circles();
    EXPECT_EQ(Form(circles[0]), std::make_tuple(13360.f, 8800.f, 600.f, 1.f));
    EXPECT_EQ(Form(circles[1]), std::make_tuple(9790.f, 8315.f, 700.f, 1.f));
    EXPECT_EQ(Form(circles[circles.size() - 5]), std::make_tuple(1190.f, 3015.f, 600.f, 1.f));
}

// Both goblins draw from one figure: should either drift, the goblin would jump when the
// reel-in starts.
TEST(Devour, TheReeledInGoblinStartsAsTheStandingOneLessItsWedge) {
    StageFixture standing;
    const std::int16_t head = 600, body = 700;
    drawGoblin(standing.stage, head, body);
    AttackTrace devoured;
    devourGoblin(devoured.stage, 4000, 4000);

    const auto& still = standing.surface.primitives();
    const auto& moving = devoured.surface.primitives();
    const std::size_t figure = 9; // head, body, arms, feet, brows and mouth; the wedge follows
    ASSERT_GT(still.size(), figure);
    ASSERT_GT(moving.size(), Sweep + Tongue + figure);
    for (std::size_t i = 0; i < figure; ++i) {
        const auto& a = still[i];
        const auto& b = moving[Sweep + Tongue + i];
        ASSERT_EQ(a.index(), b.index()) << "piece " << i;
        if (const auto* line = std::get_if<Line>(&a)) {
            const auto& other = std::get<Line>(b);
            EXPECT_EQ(Ends(*line), Ends(other)) << "piece " << i;
            EXPECT_EQ(line->colour, other.colour) << "piece " << i;
        } else {
            const auto& circle = std::get<Circle>(a);
            const auto& other = std::get<Circle>(b);
            EXPECT_EQ(Form(circle), Form(other)) << "piece " << i;
            EXPECT_EQ(circle.shape.colour, other.shape.colour) << "piece " << i;
            EXPECT_EQ(circle.fill, other.fill) << "piece " << i;
        }
    }
}
