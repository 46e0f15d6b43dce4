#include "stage/RandomSource.h"

#include <gtest/gtest.h>

#include <set>

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
