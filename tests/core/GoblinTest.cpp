#include "scene/Goblin.h"
#include "GrowingCanvas.h"
#include "StageFixture.h"

#include <gtest/gtest.h>

namespace {

// Offsets from the corner: six ellipses {dx, dy, radius, aspect}, then lines {dx1, dy1, dx2, dy2}.
constexpr float Ellipses[6][4] = {{-2000, -2000, 600, 1},    {-2000, -1000, 700, 1},
                                  {-2500, -1500, 200, 0.2f}, {-1500, -1500, 200, 0.2f},
                                  {-2500, -400, 300, 0.4f},  {-1500, -400, 300, 0.4f}};
constexpr float Face[3][4] = {
    {-2300, -2200, -2100, -2000}, {-1800, -2200, -2000, -2000}, {-2300, -1700, -1700, -1700}};

// The whole figure against a corner that moves by `drift` per primitive drawn before.
void ExpectFigure(const RecordingCanvas& c, float w, float h, Color fill, Color face, Color wedge,
                  float drift = 0) {
    const auto d = c.circles();
    const auto l = c.lines();
    ASSERT_TRUE(d.size() == 6 && l.size() == 402 && c.primitives().size() == 408);
    for (int i = 0; i < 6; ++i) {
        const float* e = Ellipses[i];
        const float m = drift * i;
        ASSERT_TRUE(d[i].shape.x == w + m + e[0] && d[i].shape.y == h + m + e[1] &&
                    d[i].shape.radius == e[2] && d[i].shape.aspect == e[3] &&
                    d[i].shape.colour == fill && d[i].fill == fill)
            << i;
    }
    for (int i = 0; i < 402; ++i) {
        const float m = drift * (6 + i), k = float(i - 2);
        const float* e = i < 3 ? Face[i] : nullptr;
        const float x2 = e ? e[2] : -2900 + k,
                    want[4] = {e ? e[0] : -3100, e ? e[1] : -2500, x2, e ? e[3] : -1500};
        ASSERT_TRUE(l[i].x1 == w + m + want[0] && l[i].y1 == h + m + want[1] &&
                    l[i].x2 == w + m + want[2] && l[i].y2 == h + m + want[3] &&
                    l[i].colour == (e ? face : wedge))
            << i;
    }
}

} // namespace

TEST(Goblin, BothSchemesAtTheStoredSizeAndAfterAResize) {
    StageFixture f;
    f.surface.resize(11790, 9315);
    const std::int16_t r1 = 600, r2 = 700;
    drawGoblin(f.stage, r1, r2);
    ExpectFigure(f.surface, 11790, 9315, rgb(0, 120, 0), rgb(0, 0, 0), rgb(200, 200, 200));
    EXPECT_EQ(f.surface.circles()[0].shape.x, 9790); // head centre (9790, 7315)
    EXPECT_EQ(f.surface.lines()[3].y1, 6815);        // wedge apex (8690, 6815)
    EXPECT_EQ(f.surface.fillColorSets(), 1);

    f.surface.forget();
    f.surface.resize(15360, 10800);
    drawCharredGoblin(f.stage, r1, r2);
    ExpectFigure(f.surface, 15360, 10800, rgb(0, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0));
    EXPECT_EQ(f.surface.fillColor(), rgb(0, 0, 0));
}

TEST(Goblin, ReadsTheCornerBeforeEveryPrimitive) {
    GrowingCanvas canvas(5000, 4000);
    Timeline timeline;
    RandomSource random(1, [] { return 0ull; });
    FakeControls controls;
    Stage stage{canvas, random, timeline, controls};
    const std::int16_t r1 = 600, r2 = 700;
    drawGoblin(stage, r1, r2);
    ExpectFigure(canvas, 5000, 4000, rgb(0, 120, 0), rgb(0, 0, 0), rgb(200, 200, 200), 1);
}
