#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "attacks/Sweep.h"
#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <gtest/gtest.h>

namespace {

using namespace Palette;
using Picture = StageOn<PixelGrid>;

constexpr float PivotX = 4000, PivotY = 4000;

// A point three quarters of the way out along the sweep's ray to (farX, farY).
float alongX(float farX) {
    return PivotX + 0.75f * (farX - PivotX);
}
float alongY(float farY) {
    return PivotY + 0.75f * (farY - PivotY);
}

// A red disc round the pivot, larger than anything the sweep reaches.
void paintRed(Picture& p) {
    p.stage.canvas.setFillColor(Red);
    p.stage.canvas.circle(PivotX, PivotY, 8000, Red);
}

} // namespace

TEST(Pause, HoldsForExactlyItsUnitsAndNotAtAllForZeroOrLess) {
    Picture p;
    HoldWatch watch(p.timeline);
    for (const std::int16_t n : {1, 10, 0, -3, 32767})
        p.stage.pause(n);
    EXPECT_EQ(watch.runs(), (HoldWatch::Runs{{1, 1}, {10, 1}, {32767, 1}}));
    EXPECT_EQ(p.timeline.nominalNs(), (1 + 10 + 32767) * 20000);
    EXPECT_TRUE(p.surface == PixelGrid());
}

// The mouth's sweep: the far end of its ray runs from (9000, 5001) straight down to (9000, 9999).
TEST(sweepErase, OpensAFanOneRayPerHoldFromThePivot) {
    Picture p;
    paintRed(p);
    p.stage.canvas.setFillColor(White);
    HoldWatch watch(p.timeline);
    int open = 0, aheadShut = 0;
    watch.look = [&](std::size_t before) {
        // The ray just drawn is open; one 500 rays further down is not yet.
        const float farY = 5001 + static_cast<float>(before);
        open += p.surface.at(alongX(9000), alongY(farY)) == Background;
        aheadShut += farY + 500 > 9999 || p.surface.at(alongX(9000), alongY(farY + 500)) == Red;
    };
    sweepErase(p.stage, 4000, 4000, 0.0, 1.0).finish();

    EXPECT_EQ(watch.runs(), (HoldWatch::Runs{{10, 4999}}));
    EXPECT_EQ(open, 4999);
    EXPECT_EQ(aheadShut, 4999);
    // The whole fan is open, and nothing beyond its edges.
    for (const float farY : {5010.f, 7500.f, 9990.f})
        EXPECT_EQ(p.surface.at(alongX(9000), alongY(farY)), Background) << farY;
    EXPECT_EQ(p.surface.at(alongX(9000), alongY(4900)), Red);
    EXPECT_EQ(p.surface.at(alongX(9000), alongY(10100)), Red);
    EXPECT_EQ(p.surface.at(PivotX - 200, PivotY), Red);
    EXPECT_EQ(p.surface.fillColor(), White);
}

TEST(sweepErase, APivotPastTheLimitOverflowsBeforeAnythingIsDrawn) {
    for (const auto& [x, y] : {std::pair<std::int16_t, std::int16_t>{27768, 0}, {0, 31768}}) {
        Picture p;
        EXPECT_THROW(sweepErase(p.stage, x, y, 0.0, 1.0).finish(), OverflowError);
        EXPECT_EQ(p.timeline.nominalNs(), 0) << "a ray was drawn or a hold begun";
    }
    Picture p;
    EXPECT_NO_THROW(sweepErase(p.stage, 27767, 31767, 0.0, 1.0).finish());
}
