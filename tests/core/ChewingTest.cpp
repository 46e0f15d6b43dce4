#include "attacks/Chewing.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "scene/Beast.h"

#include <gtest/gtest.h>

namespace {

using namespace Palette;

// The jaw's tip, where its upper edge meets the body's rim; the first ray of every opening
// aims at it.
constexpr float TipX = 6817.5f, TipY = 4075;

// A point `share` of the way from the centre of the body towards (x, y).
struct Point {
    float x, y;
};
constexpr Point towards(float x, float y, float share) {
    return {BodyX + share * (x - BodyX), BodyY + share * (y - BodyY)};
}
// On the first ray of each opening; deep in the first opening; in the second, wider one only.
constexpr Point TipRay = towards(TipX, TipY, 0.5f);
constexpr Point FirstWedge = towards(6318, 4574, 0.6f);
constexpr Point SecondWedge = towards(6018, 4874, 0.6f);

// What the player saw of a chew at its holds.
struct Chew {
    int holds = 0;
    bool tipRayAlwaysOpen = true;
    bool shutAtFirst = false; // what the chew before opened is shut again
    bool wideOpenAtLast = false;
};

// A red field round the body, then the chewing, in a window of the given size: small enough that
// the scraps, placed from its lower-right corner, land left of the jaw and stay in sight.
struct Chewed {
    Chewed(float w, float h) {
        p.surface.resize(w, h);
        // Red all round the body and well below it, so that all the band clears shows.
        p.stage.canvas.setFillColor(Red);
        p.stage.canvas.circle(BodyX, BodyY + 1000, 4000, Red);
        HoldWatch watch(p.timeline);
        // Where the first scrap lands, a little right of where the reeled goblin's head rested.
        const float scrapX = w - 9600, scrapY = h - 6700;
        watch.look = [&](std::size_t) {
            const bool scrapsDropped = p.surface.at(scrapX, scrapY) == GoblinGreen;
            Chew& chew = chews[scrapsDropped ? 1 : 0];
            const PixelGrid& s = p.surface;
            if (chew.holds++ == 0)
                chew.shutAtFirst = s.at(FirstWedge.x, FirstWedge.y) == Red;
            chew.tipRayAlwaysOpen = chew.tipRayAlwaysOpen && s.at(TipRay.x, TipRay.y) == Background;
            chew.wideOpenAtLast = s.at(scrapsDropped ? SecondWedge.x : FirstWedge.x,
                                       scrapsDropped ? SecondWedge.y : FirstWedge.y) == Background;
        };
        chewGoblin(p.stage).finish();
        units = watch.runs();
    }
    StageOn<PixelGrid> p;
    Chew chews[2];
    HoldWatch::Runs units;
};

} // namespace

TEST(Chewing, TwoChewsOpenTheMouthFromTheJawTipOneRayPerHoldAndShutItAgain) {
    const Chewed c(11790, 9315);
    EXPECT_EQ(c.units, (HoldWatch::Runs{{30, 1300}}));
    // The first chew, before any scraps, opens the mouth at every hold from the jaw's tip.
    EXPECT_EQ(c.chews[0].holds, 500);
    EXPECT_TRUE(c.chews[0].tipRayAlwaysOpen);
    EXPECT_TRUE(c.chews[0].wideOpenAtLast);
    // The second, with the first scraps dropped, starts with the jaw shut again and opens wider.
    EXPECT_EQ(c.chews[1].holds, 800);
    EXPECT_TRUE(c.chews[1].shutAtFirst);
    EXPECT_TRUE(c.chews[1].tipRayAlwaysOpen);
    EXPECT_TRUE(c.chews[1].wideOpenAtLast);

    // At the end the jaw is shut in red, a band below it is cleared down to about 2000 twips
    // under the jaw's corner, and the dark-red arc curves over the top and left of the body's
    // left side.
    const PixelGrid& end = c.p.surface;
    for (const Point point : {TipRay, FirstWedge, SecondWedge})
        EXPECT_EQ(end.at(point.x, point.y), Red) << point.x << ", " << point.y;
    EXPECT_EQ(end.at(5500, 4900), Background);
    EXPECT_EQ(end.at(4100, 7200), Background);
    EXPECT_EQ(end.at(4100, 7400), Red);
    EXPECT_EQ(end.at(3900, 6000), Red);
    EXPECT_EQ(end.at(2500, 3100), DarkRed);
    EXPECT_EQ(end.at(2100, 3500), DarkRed);
    EXPECT_EQ(end.at(2900, 3500), Red);
    EXPECT_EQ(end.fillColor(), GoblinGreen);
}

TEST(Chewing, ScrapsAreGreenAndPlacedFromTheLowerRightCorner) {
    for (const auto& [w, h] : {std::pair{11790.f, 9315.f}, std::pair{12090.f, 9465.f}}) {
        const Chewed c(w, h);
        const PixelGrid& end = c.p.surface;
        const float x = w - 9600, y = h - 6700;
        // Round scraps around (x, y), and a flat one to their left.
        EXPECT_EQ(end.at(x, y + 150), GoblinGreen) << w;
        EXPECT_EQ(end.at(x + 250, y), GoblinGreen) << w;
        EXPECT_EQ(end.at(x - 600, y), GoblinGreen) << w;
        EXPECT_EQ(end.at(x - 400, y + 200), Red) << w; // the flat one is only 150 high
        EXPECT_EQ(end.at(x, y + 250), Red) << w;
    }
}
