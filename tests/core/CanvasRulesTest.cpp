#include "canvas/Color.h"
#include "canvas/PrimitiveCost.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(PrimitiveCost, LinesAreClippedToTheClientArea) {
    // 150 twips = 10 pixels, both end points counted.
    EXPECT_DOUBLE_EQ(linePixels(0, 15, 150, 15, 100, 100), 11);
    EXPECT_DOUBLE_EQ(linePixels(-1500, 15, 1500, 15, 100, 100), 101);
    EXPECT_DOUBLE_EQ(linePixels(-1500, -15, 1500, -15, 100, 100), 0);
    EXPECT_DOUBLE_EQ(linePixels(3000, 3000, 4500, 4500, 100, 100), 0);
    // Past the top and the bottom edges as well: 100 of a 150-pixel drop are below the canvas.
    EXPECT_DOUBLE_EQ(linePixels(15, 750, 15, 3000, 100, 100), 51);
    EXPECT_DOUBLE_EQ(linePixels(300, -750, 300, 750, 100, 100), 51);
    EXPECT_DOUBLE_EQ(linePixels(0, 750, 1500, 2250, 100, 100), 51);
}

TEST(PrimitiveCost, DiscsCountTheirVisibleArea) {
    const CircleShape inside{750, 750, 150, 0};
    EXPECT_NEAR(circlePixels(inside, 100, 100), 3.14159 * 100 + 1, 0.01);
    const CircleShape halfOut{0, 750, 150, 0};
    EXPECT_NEAR(circlePixels(halfOut, 100, 100), 3.14159 * 50 + 1, 0.01);
    // A ball that sinks below the bottom edge, as the last fire balls do.
    const CircleShape halfBelow{750, 1500, 150, 0};
    EXPECT_NEAR(circlePixels(halfBelow, 100, 100), 3.14159 * 50 + 1, 0.01);
    const CircleShape halfAbove{750, 0, 150, 0};
    EXPECT_NEAR(circlePixels(halfAbove, 100, 100), 3.14159 * 50 + 1, 0.01);
    const CircleShape gone{-1000, -1000, 150, 0};
    EXPECT_DOUBLE_EQ(circlePixels(gone, 100, 100), 1);
}

TEST(Colour, PacksRedGreenBlueAndClampsLikeThePlatform) {
    EXPECT_EQ(rgb(64, 64, 64), 64u + 256u * 64 + 65536u * 64);
    EXPECT_EQ(rgb(300, 0, 1), 255u + 65536u);
    EXPECT_THROW(rgb(-1, 0, 0), std::invalid_argument);
}
