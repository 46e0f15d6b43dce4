#include "attacks/FireBall.h"
#include "StageFixture.h"
#include "canvas/Palette.h"

#include <gtest/gtest.h>

TEST(FireBall, BallsFlyDownRightInSeededShadesGrowingAndAreErasedWhereTheyWere) {
    StageFixture f;
    shootFireBall(f.stage, 5.0);

    const auto circles = f.surface.circles();
    ASSERT_FALSE(circles.empty());
    ASSERT_EQ(circles.size() % 2, 0u) << "a ball without its eraser";
    // The draws the animation should make: a reseed and one value per ball.
    RandomSource twin{TestSeed, StillClock};
    for (std::size_t i = 0; i < circles.size(); i += 2) {
        const auto& ball = circles[i];
        const auto& erase = circles[i + 1];
        const int k = static_cast<int>(i / 2) + 1;
        twin.reseedRandom();
        const int green = static_cast<int>(twin.nextRandom() * 255.0);
        ASSERT_TRUE(ball.shape.colour == rgb(255, green, 0) && ball.fill == ball.shape.colour);
        ASSERT_TRUE(ball.shape.x == 4500 + 2 * k && ball.shape.y == 4500 + k) << k;
        ASSERT_NEAR(ball.shape.radius, 5.0 + 0.4 * (k - 1), 1e-3);
        ASSERT_TRUE(erase.shape.colour == Palette::Background && erase.fill == Palette::Background);
        ASSERT_TRUE(erase.shape.x == ball.shape.x && erase.shape.y == ball.shape.y &&
                    erase.shape.radius == ball.shape.radius &&
                    erase.shape.outline == Outline::Closed);
    }
    // The last ball is well past the lower right of the beast.
    EXPECT_GT(circles.back().shape.x, 15360);
}

// What the player sees whenever the animation holds still: every ball that is painted is on
// screen for a pause before its eraser comes.
TEST(FireBall, EveryBallIsOnScreenWhileTheAnimationHoldsStill) {
    struct Watch : Timeline::Sync {
        explicit Watch(StageFixture& f) : f(f) { f.timeline.setSync(this); }
        void reached(std::int64_t) override {}
        void pausing(std::int64_t) override {
            const auto* last =
                std::get_if<RecordingCanvas::CircleCall>(&f.surface.primitives().back());
            if (last && last->shape.colour != Palette::Background)
                ++ballsSeen;
        }
        StageFixture& f;
        std::size_t ballsSeen = 0;
    };
    StageFixture f;
    Watch watch(f);
    shootFireBall(f.stage, 5.0);
    std::size_t balls = 0;
    for (const auto& circle : f.surface.circles())
        balls += circle.shape.colour != Palette::Background;
    EXPECT_GT(balls, 0u);
    EXPECT_EQ(watch.ballsSeen, balls);
}
