#include "AttackTrace.h"
#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <gtest/gtest.h>

TEST(Pause, ChargesExactlyNUnitsAndNothingForZeroOrLess) {
    AttackTrace t;
    for (const std::int16_t n : {1, 10, 0, -3, 32767})
        t.stage.pause(n);
    EXPECT_EQ(t.timeline.nominalNs(), 1 + 10 + 32767);
    EXPECT_TRUE(t.surface.primitives().empty());
}

TEST(sweepErase, MouthFanOfBackgroundLinesEachFollowedByAPause) {
    AttackTrace t;
    sweepErase(t.stage, 4000, 4000, 0.0, 1.0);

    const auto lines = t.surface.lines();
    ASSERT_EQ(lines.size(), 4999u);
    for (std::size_t k = 1; k <= lines.size(); ++k) {
        const auto& l = lines[k - 1];
        ASSERT_TRUE(l.x1 == 4000 && l.y1 == 4000 && l.x2 == 9000 && l.y2 == 5000 + k);
        ASSERT_EQ(l.colour, Palette::Background);
    }
    EXPECT_EQ(t.Pattern(), AttackTrace::Repeat("p10", 4999));
    EXPECT_EQ(t.surface.backColorReads(), 4999);
    EXPECT_EQ(t.surface.fillColorSets(), 0);
}

TEST(sweepErase, PivotPastTheLimitOverflowsAfterReadingBackColorBeforeDrawing) {
    for (const auto& [x, y] : {std::pair<std::int16_t, std::int16_t>{27768, 0}, {0, 31768}}) {
        AttackTrace t;
        EXPECT_THROW(sweepErase(t.stage, x, y, 0.0, 1.0), OverflowError);
        EXPECT_EQ(t.surface.backColorReads(), 1);
        EXPECT_TRUE(t.surface.primitives().empty());
    }
    AttackTrace t;
    EXPECT_NO_THROW(sweepErase(t.stage, 27767, 31767, 0.0, 1.0));
}
