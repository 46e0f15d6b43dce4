#include "attacks/FireBall.h"
#include "AttackTrace.h"
#include "canvas/Palette.h"

#include <gtest/gtest.h>

TEST(FireBall, SweepThen5999BallsEachShownForPause5AndErased) {
    AttackTrace t;
    double radius = 5.0;
    shootFireBall(t.stage, radius);

    EXPECT_EQ(t.Pattern(), AttackTrace::Repeat("p10", 4999) + AttackTrace::Repeat("p5p", 5999));
    const auto circles = t.recording.circles();
    ASSERT_EQ(circles.size(), 2 * 5999u);
    // The draws the animation should make: a reseed and one value per ball.
    RandomSource twin{12345, [] { return 0ull; }};
    for (int k = 1; k <= 5999; ++k) {
        const auto& ball = circles[2 * k - 2];
        const auto& erase = circles[2 * k - 1];
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
    EXPECT_EQ(circles.front().shape.radius, 5.0f);
    EXPECT_NEAR(radius, 2404.6, 1e-6);
    EXPECT_EQ(t.stage.counterA, 6000);
}
