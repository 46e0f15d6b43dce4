#include "game/SpeedSteps.h"
#include "game/Seed.h"

#include <gtest/gtest.h>

#include <clocale>
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

TEST(SpeedSteps, SpeedsReadAsDecimalsOrFractionsWithinTheirRange) {
    EXPECT_EQ(parseSpeed("0"), 0.0);
    EXPECT_EQ(parseSpeed("2"), 2.0);
    EXPECT_EQ(parseSpeed("0.25"), 0.25);
    EXPECT_EQ(parseSpeed("1/4"), 0.25);
    EXPECT_EQ(parseSpeed("1/64"), 1.0 / 64);
    EXPECT_EQ(parseSpeed("64"), 64.0);
    EXPECT_EQ(parseSpeed(".5"), 0.5);
    EXPECT_EQ(parseSpeed("0.015625"), 1.0 / 64);
    EXPECT_EQ(parseSpeed("1.1"), 1.1);
    for (const char* text : {"", "65", "1/65", "-1", "1/0", "0/0", "1/2/3", "fast", "nan", "inf",
                             " 2", "2x", "1e-320", "0,5", ".", "1..2", "1.2.3"})
        EXPECT_FALSE(parseSpeed(text)) << text;
}

TEST(SpeedSteps, TheDecimalPointIsADotWhateverTheLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma here";
    const auto dot = parseSpeed("0.5");
    const auto comma = parseSpeed("0,5");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(dot, 0.5);
    EXPECT_FALSE(comma);
}

TEST(Seed, SeedsTakeTheWhole64BitsAndOnlyDigits) {
    EXPECT_EQ(parseSeed("0"), 0u);
    EXPECT_EQ(parseSeed("18446744073709551615"), 18446744073709551615u);
    for (const char* text : {"", "18446744073709551616", "-1", "+1", " 1", "1 ", "0x10", "1.0"})
        EXPECT_FALSE(parseSeed(text)) << text;
}
