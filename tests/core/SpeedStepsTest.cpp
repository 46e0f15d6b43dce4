#include "game/SpeedSteps.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SpeedSteps, PlusAndMinusWalkTheWholeLadderBothWays) {
    double speed = 0.25;
    std::vector<double> up{speed};
    for (int i = 0; i < 8; ++i)
        up.push_back(speed = fasterSpeed(speed));
    EXPECT_EQ(up, (std::vector<double>{0.25, 0.5, 1, 2, 4, 8, 0, 0, 0}));
    std::vector<double> down{speed};
    for (int i = 0; i < 8; ++i)
        down.push_back(speed = slowerSpeed(speed));
    EXPECT_EQ(down, (std::vector<double>{0, 8, 4, 2, 1, 0.5, 0.25, 0.25, 0.25}));
}

TEST(SpeedSteps, ASpeedBetweenStepsGoesToTheNextStepInThatDirection) {
    EXPECT_EQ(fasterSpeed(3), 4);
    EXPECT_EQ(slowerSpeed(3), 2);
    EXPECT_EQ(fasterSpeed(0.3), 0.5);
    EXPECT_EQ(slowerSpeed(0.3), 0.25);
    // Beyond the fastest pace there is still instant; below the slowest there is nothing.
    EXPECT_EQ(fasterSpeed(20), 0);
    EXPECT_EQ(slowerSpeed(20), 8);
    EXPECT_EQ(fasterSpeed(0.1), 0.25);
    EXPECT_EQ(slowerSpeed(0.1), 0.1);
}

TEST(SpeedSteps, NamesReadAsThePlayerWouldSayThem) {
    EXPECT_EQ(speedName(0.25), "1/4x");
    EXPECT_EQ(speedName(1.0 / 64), "1/64x");
    EXPECT_EQ(speedName(1), "1x");
    EXPECT_EQ(speedName(8), "8x");
    EXPECT_EQ(speedName(1.5), "1.5x");
    EXPECT_EQ(speedName(0.3), "0.3x");
    EXPECT_EQ(speedName(0), "instant");
}
