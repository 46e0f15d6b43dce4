#include "scene/Beast.h"
#include "StageFixture.h"
#include "scene/FloorAndHoard.h"
#include "scene/Goblin.h"
#include "stage/Numeric.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Line = RecordingCanvas::LineCall;
using Disc = RecordingCanvas::CircleCall;
constexpr Color Red = rgb(255, 0, 0), Black = rgb(0, 0, 0), White = rgb(255, 255, 255);

// Junk in every counter: a painter that reads one before setting it shows up.
void Scramble(Stage& s) {
    s.counterA = s.counterB = s.counterC = s.counterD = s.counterE = 31000;
}

void ExpectLine(const Line& l, float x1, float y1, float x2, float y2) {
    EXPECT_TRUE(l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2)
        << l.x1 << "," << l.y1 << " " << l.x2 << "," << l.y2;
}

// count discs from index `from`, radii 1, 2, ..., each filled in its own outline colour.
void ExpectDiscs(const std::vector<Disc>& d, size_t from, size_t count, float x, float y,
                 Color colour, float aspect) {
    for (size_t i = from; i < from + count; ++i)
        ASSERT_TRUE(d[i].shape.x == x && d[i].shape.y == y && d[i].shape.aspect == aspect &&
                    d[i].shape.radius == float(i - from + 1) && d[i].shape.colour == colour &&
                    d[i].fill == colour)
            << i;
}

void PaintStoryBeast(Stage& s) {
    std::int16_t r = 1;
    const std::int16_t e[] = {5500, 3000, 500}, b[] = {5450, 2400, 6500, 3200},
                       w[] = {5500, 2000, 4000, 500};
    drawBody(s, r);
    drawEye(s, e[0], e[1], e[2]);
    drawBrow(s, b[0], b[1], b[2], b[3]);
    drawTail(s, 0, 4500, 2000, 2500);
    drawSpikes(s, w[0], w[1], w[2], w[3]);
}

} // namespace

TEST(Beast, BodyGrowsToItsLimitThroughTheCallersVariable) {
    StageFixture f;
    Scramble(f.stage);
    std::int16_t grow = 1, none = 3000;
    drawBody(f.stage, grow);
    EXPECT_EQ(grow, 3000);
    ASSERT_EQ(f.recording.primitives().size(), 2999u);
    ExpectDiscs(f.recording.circles(), 0, 2999, 4000, 3500, Red, 0.6f);
    EXPECT_EQ(f.stage.counterA, 31000);

    f.stage.canvas.setFillColor(White);
    f.controls.caption = "x";
    drawBody(f.stage, none); // draws nothing, still blanks the label
    EXPECT_EQ(f.recording.primitives().size(), 2999u);
    EXPECT_EQ(f.controls.caption, " ");
    EXPECT_EQ(f.recording.fillColor(), White);
}

TEST(Beast, EyeRimEyeballAndFixedPupil) {
    StageFixture f;
    Scramble(f.stage);
    const std::int16_t x = 5500, y = 3000, r = 500, one = 1, big = 32600;
    drawEye(f.stage, x, y, r);
    auto d = f.recording.circles();
    ASSERT_EQ(d.size(), 1097u);
    ExpectDiscs(d, 0, 499, 5500, 3000, Black, 0.8f);
    ExpectDiscs(d, 499, 449, 5500, 3000, White, 0.8f);
    ExpectDiscs(d, 948, 149, 5750, 3150, Black, 1.0f);
    EXPECT_EQ(f.recording.fillColor(), Black);
    EXPECT_EQ(f.stage.counterA, 500);
    EXPECT_EQ(f.stage.counterB, 450);
    EXPECT_EQ(f.stage.counterC, 150);
    EXPECT_EQ(f.stage.counterD, 31000);

    drawEye(f.stage, x, y, one); // the pupil alone
    EXPECT_EQ(f.recording.circles().size(), 1097u + 149u);
    EXPECT_EQ(f.stage.counterA, 1);
    EXPECT_EQ(f.stage.counterB, 1);
    EXPECT_THROW(drawEye(f.stage, big, y, r), OverflowError); // x + 250
}

TEST(Beast, BrowTailAndSpikes) {
    StageFixture f;
    Scramble(f.stage);
    const std::int16_t x1 = 5450, y1 = 2400, x2 = 6500, y2 = 3200;
    drawBrow(f.stage, x1, y1, x2, y2);
    auto l = f.recording.lines();
    ASSERT_EQ(l.size(), 600u);
    ExpectLine(l.front(), 5450, 2400, 6500, 3200);
    ExpectLine(l.back(), 4851, 2400, 5901, 3200);
    EXPECT_EQ(f.stage.counterA, 600);

    f.recording.forget();
    drawTail(f.stage, 0, 32000, 2000, 2500); // widens past 16 bits instead of overflowing
    l = f.recording.lines();
    ASSERT_EQ(l.size(), 2249u);
    ExpectLine(l.front(), 0, 32002, 2000, 2501);
    ExpectLine(l.back(), 0, 36498, 2000, 4749);
    EXPECT_EQ(l.back().colour, Red);

    f.recording.forget();
    const std::int16_t a1 = 5500, a2 = 2000, a3 = 4000, a4 = 500;
    drawSpikes(f.stage, a1, a2, a3, a4);
    l = f.recording.lines();
    ASSERT_EQ(l.size(), 11195u);
    // First and last segment of each wedge: 2499, 1499, 2199, 2499 and 2499 lines.
    const float ends[][8] = {{5199, 2000, -1004, -2700, 2701, 2000, -10996, -2700},
                             {4001, 2000, 9002, 500, 5499, 2000, 11998, 500},
                             {3299, 2000, 999, 1500, 1101, 2000, -1199, 1500},
                             {3299, 2000, -1001, 1501, 801, 2000, -3499, 3999},
                             {0, 3001, 4074, 1800, 0, 5499, 1576, 1800}};
    const size_t starts[] = {0, 2499, 3998, 6197, 8696, 11195};
    for (int w = 0; w < 5; ++w) {
        const float* e = ends[w];
        ExpectLine(l[starts[w]], e[0], e[1], e[2], e[3]);
        ExpectLine(l[starts[w + 1] - 1], e[4], e[5], e[6], e[7]);
    }
    EXPECT_EQ(l.back().colour, rgb(150, 0, 0));
    EXPECT_EQ(f.stage.counterA, 1500);
    EXPECT_EQ(f.stage.counterB, 2200);
    EXPECT_EQ(f.stage.counterE, 2500);
    EXPECT_EQ(f.recording.fillColorSets(), 0);

    const std::int16_t tooFar = 28000, edge = -32500;
    EXPECT_THROW(drawSpikes(f.stage, a1, a2, tooFar, a4), OverflowError); // a3 + 5000
    EXPECT_THROW(drawBrow(f.stage, edge, y1, x2, y2), OverflowError);
}

TEST(Beast, RedrawPaintsTheBodyAtOnce) {
    StageFixture story, redraw;
    PaintStoryBeast(story.stage);
    redrawBeast(redraw.stage);
    ASSERT_EQ(story.recording.primitives().size(), 18140u);
    ASSERT_EQ(redraw.recording.primitives().size(), 15142u);
    EXPECT_EQ(redraw.recording.circles().front().shape.radius, 2999);
    EXPECT_EQ(redraw.recording.fillColor(), Black);
    ExpectLine(redraw.recording.lines().back(), 0, 5499, 1576, 1800);
}

// The growing body is the one animation of the lair; the story's screens are timed with the story.
TEST(Tempo, TheBodyGrowsInAboutASecond) {
    StageFixture f;
    std::int16_t r = 1;
    drawBody(f.stage, r);
    std::printf("[ tempo ] growing body %.3f s\n", f.nominalSeconds());
    EXPECT_GE(f.nominalSeconds(), 1.0);
    EXPECT_LE(f.nominalSeconds(), 1.5);
}
