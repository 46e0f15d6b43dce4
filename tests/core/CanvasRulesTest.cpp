#include "RecordingCanvas.h"
#include "canvas/PrimitiveCost.h"
#include "pacing/PacedCanvas.h"
#include "stage/Numeric.h"
#include "stage/RandomSource.h"

#include <gtest/gtest.h>

#include <set>

TEST(Rounding, TiesGoToEven) {
    EXPECT_EQ(round16(2.5), 2);
    EXPECT_EQ(round16(3.5), 4);
    EXPECT_EQ(round16(-2.5), -2);
    EXPECT_EQ(round16(2.4999), 2);
    EXPECT_EQ(round16(32767.4), 32767);
    EXPECT_EQ(round16(-32768.5), -32768);
}

TEST(Rounding, OutOfRangeOverflows) {
    EXPECT_THROW(round16(32767.5), OverflowError);
    EXPECT_THROW(round16(-32769.0), OverflowError);
    EXPECT_THROW(round16(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_THROW(round16(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Arithmetic16, OverflowRaisesAndEdgesDoNot) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_THROW(add16(32767, 1), OverflowError);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_THROW(sub16(-32768, 1), OverflowError);
    EXPECT_EQ(mul16(2, 16383), 32766);
    EXPECT_THROW(mul16(2, 16384), OverflowError);
}

TEST(Random, ValuesStayBelowOne) {
    RandomSource random(1, [] { return 0ull; });
    float largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float value = random.nextRandom();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        largest = std::max(largest, value);
    }
    EXPECT_GT(largest, 0.999f);
}

TEST(Random, ReseedWithinOneClockTickStillVaries) {
    RandomSource random(7, [] { return 42ull; }); // the clock never moves
    std::set<float> seen;
    for (int i = 0; i < 1000; ++i) {
        random.reseedRandom();
        seen.insert(random.nextRandom());
    }
    EXPECT_GT(seen.size(), 990u);
}

TEST(Random, SameSeedAndClockRepeatOtherSeedDoesNot) {
    RandomSource a(5, [] { return 1ull; }), b(5, [] { return 1ull; }), c(6, [] { return 1ull; });
    for (int i = 0; i < 10; ++i) {
        a.reseedRandom();
        b.reseedRandom();
        c.reseedRandom();
        const float va = a.nextRandom();
        EXPECT_EQ(va, b.nextRandom());
        EXPECT_NE(va, c.nextRandom());
    }
}

TEST(Random, ClockReadingChangesTheSequence) {
    std::uint64_t tick = 0;
    RandomSource a(5, [&] { return tick; }), b(5, [] { return 0ull; });
    tick = 1;
    a.reseedRandom();
    b.reseedRandom();
    EXPECT_NE(a.nextRandom(), b.nextRandom());
}

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

TEST(PacedCanvas, ChargesEachPrimitiveAfterDrawingIt) {
    RecordingCanvas surface(1500, 1500);
    Timeline timeline(Tempo{1000, 10, 100});
    PacedCanvas canvas(surface, timeline);
    canvas.line(0, 0, 150, 0, rgb(1, 2, 3));
    EXPECT_EQ(timeline.nominalNs(), 1000 + 10 * 11);
    canvas.setFillColor(rgb(9, 9, 9));
    canvas.circle(750, 750, 150, rgb(1, 2, 3));
    ASSERT_EQ(surface.circles().size(), 1u);
    EXPECT_EQ(surface.circles()[0].fill, rgb(9, 9, 9));
    timeline.chargePause(3);
    timeline.chargePause(-4);
    EXPECT_NEAR(timeline.nominalNs(), 1110 + 1000 + 10 * (3.14159 * 100 + 1) + 300, 1);
}

TEST(Colour, PacksRedGreenBlueAndClampsLikeThePlatform) {
    EXPECT_EQ(rgb(64, 64, 64), 64u + 256u * 64 + 65536u * 64);
    EXPECT_EQ(rgb(300, 0, 1), 255u + 65536u);
    EXPECT_THROW(rgb(-1, 0, 0), std::invalid_argument);
}
