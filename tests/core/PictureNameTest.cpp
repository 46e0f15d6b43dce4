#include "game/PictureName.h"

#include <gtest/gtest.h>

// Every field at its full width, so that names sort as the moments do, a year to a second apart.
TEST(PictureName, FillsEveryFieldWithLeadingZeros) {
    EXPECT_EQ(pictureStem({2024, 1, 2, 3, 4, 5}), "brumox-20240102-030405");
    EXPECT_EQ(pictureStem({2024, 12, 31, 23, 59, 59}), "brumox-20241231-235959");
    EXPECT_LT(pictureStem({2024, 9, 30, 23, 59, 59}), pictureStem({2024, 10, 1, 0, 0, 0}));
    EXPECT_LT(pictureStem({999, 12, 31, 0, 0, 0}), pictureStem({1000, 1, 1, 0, 0, 0}));
}
