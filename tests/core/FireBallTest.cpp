#include "attacks/FireBall.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"
#include "scene/Goblin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace Palette;

constexpr float Cell = 60;

// Coarse enough to look over the whole picture at every hold.
struct CoarseGrid : PixelGrid {
    CoarseGrid() : PixelGrid(15360, 10800, Cell) {}
};

// A fire ball's shade: full red, no blue. Nothing else on the goblin's screen is.
bool isFire(Color colour) {
    return redOf(colour) == 255 && blueOf(colour) == 0;
}

struct BallSeen {
    PixelGrid::Extent where;
    Color shade = 0;
    bool oneShade = true;
};

} // namespace

TEST(FireBall, BallsFlyDownRightOneAtATimeInSeededShadesAndBurnTheGoblinAway) {
    StageOn<CoarseGrid> p;
    drawGoblin(p.stage, GoblinHeadRadius, GoblinBodyRadius).finish();
    HoldWatch watch(p.timeline);
    std::vector<BallSeen> seen; // at each hold that shows fire
    watch.look = [&](std::size_t) {
        BallSeen ball;
        ball.where = p.surface.extentOf([&](Color colour) {
            if (!isFire(colour))
                return false;
            ball.oneShade = ball.oneShade && (ball.shade == 0 || ball.shade == colour);
            ball.shade = colour;
            return true;
        });
        if (ball.where.cells > 0)
            seen.push_back(ball);
    };
    shootFireBall(p.stage, 5.0).finish();

    // The sweep opens the mouth, then each ball is shown for a hold of 5.
    EXPECT_EQ(watch.runs(), (HoldWatch::Runs{{10, 4999}, {5, 5999}}));
    ASSERT_EQ(seen.size(), 5999u) << "a ball was not on screen during its hold";

    // A twin of the stage's source gives each ball's shade: a reseed, then one draw.
    RandomSource twin{TestSeed, StillClock};
    float furthestX = 0, furthestY = 0, largest = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        twin.reseedRandom();
        const int green = static_cast<int>(twin.nextRandom() * 255.0);
        ASSERT_TRUE(seen[i].oneShade) << "more than one ball at hold " << i;
        ASSERT_EQ(seen[i].shade, rgb(255, green, 0)) << "hold " << i;
        // Never back up or left, give or take a cell; never smaller while clear of the edges.
        const PixelGrid::Extent& ball = seen[i].where;
        furthestX = std::max(furthestX, ball.centreX());
        furthestY = std::max(furthestY, ball.centreY());
        ASSERT_GE(ball.centreX(), furthestX - Cell) << "hold " << i;
        ASSERT_GE(ball.centreY(), furthestY - Cell) << "hold " << i;
        if (ball.bottom > 10800 - Cell || ball.right > 15360 - Cell)
            continue;
        largest = std::max(largest, ball.bottom - ball.top);
        ASSERT_GE(ball.bottom - ball.top, largest - Cell) << "hold " << i;
    }
    const PixelGrid::Extent first = seen.front().where, half = seen[seen.size() / 2].where,
                            last = seen.back().where;
    // The first is a dot just down and right of the mouth.
    EXPECT_EQ(first.cells, 1);
    EXPECT_GT(first.centreX(), MouthX);
    EXPECT_GT(first.centreY(), MouthY);
    EXPECT_LT(std::hypot(first.centreX() - MouthX, first.centreY() - MouthY), 1000);
    // Half-way a ball is about 2400 twips across, 0.4 more in radius for each ball before it.
    EXPECT_NEAR(half.right - half.left + Cell, 2 * (5 + 0.4 * 2999), 2 * Cell);
    // The last flies off the lower right.
    EXPECT_GE(last.right, 15360 - Cell);
    EXPECT_GT(last.centreY(), 10800 - 2000);

    // Every ball was erased, and the goblin with it.
    EXPECT_EQ(p.surface.extentOf(isFire).cells, 0);
    EXPECT_EQ(p.surface.extentOf([](Color c) { return c == GoblinGreen; }).cells, 0);
}
