#include "AttackTrace.h"
#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <gtest/gtest.h>

TEST(Pause, ChargesExactlyNUnitsAndNothingForZeroOrLess) {
    AttackTrace t;
    for (const std::int16_t n : {1, 10, 0, -3, 32767})
        pause(t.stage, n);
    EXPECT_EQ(t.timeline.nominalNs(), 1 + 10 + 32767);
    EXPECT_TRUE(t.recording.primitives().empty());
}

TEST(sweepErase, MouthFanOf4999BackgroundLinesEachFollowedByPause10) {
    AttackTrace t;
    t.stage.counterA = -7; // whatever an earlier painter left
    sweepErase(t.stage, 4000, 4000, 0.0, 1.0);

    const auto lines = t.recording.lines();
    ASSERT_EQ(lines.size(), 4999u);
    for (std::size_t k = 1; k <= lines.size(); ++k) {
        const auto& l = lines[k - 1];
        ASSERT_TRUE(l.x1 == 4000 && l.y1 == 4000 && l.x2 == 9000 && l.y2 == 5000 + k);
        ASSERT_EQ(l.colour, Palette::Background);
        // The pause after line k already sees counterA at k + 1.
        ASSERT_EQ(t.steps[2 * k - 1].counterA, static_cast<int>(k + 1));
    }
    EXPECT_EQ(t.Pattern(), AttackTrace::Repeat("p10", 4999));
    EXPECT_EQ(t.recording.backColorReads(), 4999);
    EXPECT_EQ(t.recording.fillColorSets(), 0);
    EXPECT_EQ(t.stage.counterA, 5000);
}

TEST(sweepErase, PivotPastTheLimitOverflowsAfterReadingBackColorBeforeDrawing) {
    for (const auto& [x, y] : {std::pair<std::int16_t, std::int16_t>{27768, 0}, {0, 31768}}) {
        AttackTrace t;
        EXPECT_THROW(sweepErase(t.stage, x, y, 0.0, 1.0), OverflowError);
        EXPECT_EQ(t.recording.backColorReads(), 1);
        EXPECT_TRUE(t.recording.primitives().empty());
    }
    AttackTrace t;
    EXPECT_NO_THROW(sweepErase(t.stage, 27767, 31767, 0.0, 1.0));
}
