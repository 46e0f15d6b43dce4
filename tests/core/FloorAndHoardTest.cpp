#include "scene/FloorAndHoard.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "stage/Silence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using namespace Palette;

// Lowest row draw, lowest coin centre x and y of the heap's rows, top row first.
constexpr int Rows[20][3] = {
    {191, 5000, 8400}, {181, 4900, 8500}, {171, 4800, 8600}, {161, 4700, 8700}, {151, 4600, 8800},
    {141, 4500, 8900}, {131, 4400, 9000}, {121, 4300, 9100}, {111, 4200, 9200}, {101, 4100, 9300},
    {91, 4000, 9400},  {81, 3900, 9500},  {71, 3800, 9600},  {61, 3700, 9700},  {51, 3600, 9800},
    {41, 3500, 9900},  {31, 3400, 10000}, {21, 3300, 10100}, {11, 3200, 10200}, {0, 3000, 10300},
};

// The heap: twenty rows of coin centres 100 twips high from y = 8400 down, the top one 100 twips
// wide at x = 5000, each row below reaching 100 twips further out on either side, the bottom one
// a further 100 to the left. Whether a coin could cover the cell centred at (x, y): a coin is 100
// twips wide and 50 high, a cell 15 across.
bool inHeap(float x, float y) {
    const float lowest = std::min(y + 25 + 15, 10399.f); // the lowest centre reaching up to y
    if (y < 8400 - 25 - 15 || y > 10399 + 25 + 15)
        return false;
    const float leftmost = lowest >= 10300 ? 3000 : 13400 - lowest;
    const float rightmost = lowest - 3301;
    return x >= leftmost - 50 - 15 && x <= rightmost + 50 + 15;
}

} // namespace

TEST(Floor, ABrownBandAlongTheBottomOfTheWindowWhateverItsSize) {
    for (const auto& [w, h] : {std::pair{15360.f, 10800.f}, std::pair{11790.f, 9315.f}}) {
        StageOn<PixelGrid> p;
        p.surface.resize(w, h);
        p.stage.canvas.setFillColor(White);
        drawFloor(p.stage).finish();
        // 499 twips high, edge to edge.
        const PixelGrid::Extent band = p.surface.extentOf([](Color c) { return c == FloorBrown; });
        EXPECT_NEAR(band.top, h - 499, 15) << w;
        EXPECT_NEAR(band.bottom, h, 15) << w;
        EXPECT_NEAR(band.left, 0, 15) << w;
        EXPECT_NEAR(band.right, w, 15) << w;
        EXPECT_EQ(p.surface.extentOf([](Color c) { return c != Background; }).cells, band.cells);
        EXPECT_EQ(p.surface.at(w / 2, h - 250), FloorBrown) << w;
        EXPECT_EQ(p.surface.fillColor(), White);
    }
}

// The window grows just after the first line: the rest of the band is laid along the new bottom.
TEST(Floor, FollowsTheWindowResizedWhileItIsLaid) {
    StageOn<PixelGrid> p;
    const float w = 11790, h = 9315;
    p.surface.resize(w, h);
    HoldWatch watch(p.timeline);
    watch.drawn = [&] { p.surface.resize(15360, 10800); };
    drawFloor(p.stage).finish();
    EXPECT_EQ(p.surface.at(100, h - 1), FloorBrown) << "the first line";
    EXPECT_EQ(p.surface.at(100, h + 200), Background);
    EXPECT_EQ(p.surface.at(100, 10800 - 480), FloorBrown);
    EXPECT_EQ(p.surface.at(15300, 10800 - 20), FloorBrown);
}

TEST(Hoard, GoldCoinsFillTheHeapAndNothingElse) {
    StageOn<PixelGrid> p;
    drawGoldHoard(p.stage, 50).finish();
    int outside = 0, notGold = 0;
    std::set<int> rowsWithCoins;
    p.surface.forEachCell([&](float x, float y, Color colour) {
        if (colour == Background)
            return;
        outside += !inHeap(x, y);
        notGold += redOf(colour) < 200 || redOf(colour) > 254 || greenOf(colour) < 200 ||
                   greenOf(colour) > 254 || blueOf(colour) != 0;
        rowsWithCoins.insert(static_cast<int>(y - 8400) / 100);
    });
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(notGold, 0);
    for (int row = 0; row < 20; ++row)
        EXPECT_TRUE(rowsWithCoins.contains(row)) << "row " << row + 1;
    const PixelGrid::Extent heap = p.surface.extentOf([](Color c) { return c != Background; });
    EXPECT_NEAR(heap.left, 3000 - 50, 30);
    EXPECT_NEAR(heap.right, 7000 + 50, 100);
    EXPECT_NEAR(heap.top, 8400 - 25, 30);
    EXPECT_NEAR(heap.bottom, 10400 + 25, 30);
}

TEST(Hoard, CoinsTakeTheirDrawsInOrderAndLandInTheirRows) {
    StageFixture f;
    f.stage.canvas.setFillColor(rgb(9, 9, 9));
    const std::int16_t radius = 50;
    drawGoldHoard(f.stage, radius).finish();
    const auto coins = f.surface.circles();
    ASSERT_EQ(f.surface.primitives().size(), coins.size());
    ASSERT_EQ(coins.size(), 4999u) << "the hoard is 4999 coins";

    // A twin of the fixture's source replays the draws: row, y, x, red, green per coin.
    RandomSource twin(TestSeed, StillClock);
    twin.reseedRandom();
    int zeroDraws = 0;
    for (const auto& coin : coins) {
        twin.reseedRandom();
        double v[5];
        for (double& value : v)
            value = twin.nextRandom();
        const int draw = int(200 * v[0]);
        int k = 0;
        while (draw < Rows[k][0])
            ++k;
        const int width = k == 19 ? 4000 : 200 * k + 100;
        zeroDraws += draw == 0; // these must join the bottom row, not repaint a stale spot
        ASSERT_EQ(coin.shape.y, Rows[k][2] + int(100 * v[1])) << draw;
        ASSERT_EQ(coin.shape.x, Rows[k][1] + int(width * v[2])) << draw;
        ASSERT_EQ(coin.shape.colour, rgb(200 + int(55 * v[3]), 200 + int(55 * v[4]), 0));
        ASSERT_TRUE(redOf(coin.shape.colour) < 255 && greenOf(coin.shape.colour) < 255);
        ASSERT_EQ(coin.fill, coin.shape.colour);
        ASSERT_TRUE(coin.shape.radius == 50 && coin.shape.aspect == 0.5f &&
                    coin.shape.outline == Outline::Closed);
    }
    EXPECT_GT(zeroDraws, 0) << "this seed no longer draws a 0";
    EXPECT_EQ(f.surface.fillColor(), coins.back().shape.colour);
}

TEST(Hoard, ReseedsOnceAndThenBeforeEveryCoin) {
    int reseeds = 0;
    RecordingCanvas canvas;
    Timeline timeline;
    RandomSource random(3, [&reseeds] { return ++reseeds, 0ull; });
    FakeControls controls;
    Stage stage{canvas, random, timeline, controls, Silence::shared()};
    const std::int16_t radius = 50;
    drawGoldHoard(stage, radius).finish();
    EXPECT_EQ(reseeds, 5000);
}
