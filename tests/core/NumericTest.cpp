#include "stage/Numeric.h"

#include <gtest/gtest.h>

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
