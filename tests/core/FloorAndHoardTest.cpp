#include "scene/FloorAndHoard.h"
#include "DriftingCanvas.h"
#include "StageFixture.h"

#include <gtest/gtest.h>

namespace {

// Lowest row draw, lowest coin centre x and y of the heap's rows, top row first.
constexpr int Rows[20][3] = {
    {191, 5000, 8400}, {181, 4900, 8500}, {171, 4800, 8600}, {161, 4700, 8700}, {151, 4600, 8800},
    {141, 4500, 8900}, {131, 4400, 9000}, {121, 4300, 9100}, {111, 4200, 9200}, {101, 4100, 9300},
    {91, 4000, 9400},  {81, 3900, 9500},  {71, 3800, 9600},  {61, 3700, 9700},  {51, 3600, 9800},
    {41, 3500, 9900},  {31, 3400, 10000}, {21, 3300, 10100}, {11, 3200, 10200}, {0, 3000, 10300},
};

} // namespace

TEST(Floor, BandFollowsTheBottomEdgeReadForEachLine) {
    DriftingCanvas canvas;
    Timeline timeline;
    RandomSource random(1, [] { return 0ull; });
    FakeControls controls;
    Stage stage{canvas, random, timeline, controls};
    drawFloor(stage);

    std::string expected;
    for (int i = 0; i < 499; ++i)
        expected += "WHL";
    EXPECT_EQ(canvas.log, expected);
    // Line k sees the height 10800 + (k - 1) and sits k twips above it, level.
    const auto l = canvas.lines();
    EXPECT_TRUE(l[0].x1 == 15360 && l[0].x2 == 0 && l[0].y1 == 10799 && l[0].y2 == 10799);
    EXPECT_TRUE(l[498].y1 == 10800 + 498 - 499 && l[498].y2 == 10800 + 498 - 499);
    EXPECT_EQ(l[498].colour, rgb(120, 50, 0));
    EXPECT_EQ(canvas.fillColorSets(), 0);
}

TEST(Hoard, CoinsTakeTheirDrawsInOrderAndLandInTheirRows) {
    StageFixture f;
    f.stage.canvas.setFillColor(rgb(9, 9, 9));
    const std::int16_t radius = 50;
    drawGoldHoard(f.stage, radius);
    const auto coins = f.surface.circles();
    ASSERT_EQ(f.surface.primitives().size(), 4999u);

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
    Stage stage{canvas, random, timeline, controls};
    const std::int16_t radius = 50;
    drawGoldHoard(stage, radius);
    EXPECT_EQ(reseeds, 5000);
}
