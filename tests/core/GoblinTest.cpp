#include "scene/Goblin.h"
#include "HoldWatch.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"

#include <gtest/gtest.h>

namespace {

using namespace Palette;
using Picture = StageOn<PixelGrid>;

struct Look {
    Color body, face, wedge;
};

// The goblin's parts, each by its offset from the lower-right corner (w, h): the round parts
// in the body's colour, brows and mouth in the face's, and the wedge held out to the upper left.
void expectGoblin(const PixelGrid& p, float w, float h, const Look& look) {
    const struct {
        const char* part;
        float dx, dy;
        Color colour;
    } parts[] = {{"head", 2000, 2400, look.body},
                 {"body", 2000, 1000, look.body},
                 {"left arm", 2650, 1480, look.body},
                 {"right arm", 1400, 1500, look.body},
                 {"left foot", 2700, 460, look.body},
                 {"right foot", 1300, 460, look.body},
                 {"left brow", 2200, 2100, look.face},
                 {"right brow", 1900, 2100, look.face},
                 {"mouth", 2000, 1700, look.face},
                 {"wedge", 2830, 1830, look.wedge},
                 {"wedge's far side", 2600, 1600, look.wedge},
                 {"wedge's apex", 3095, 2490, look.wedge}};
    for (const auto& part : parts)
        EXPECT_EQ(p.at(w - part.dx, h - part.dy), part.colour) << part.part << " at " << w;
    // Nothing beyond the wedge's apex, the head's top, or the right foot's tip and sole.
    const PixelGrid::Extent all = p.extentOf([](Color c) { return c != Background; });
    EXPECT_NEAR(all.left, w - 3100, 15) << w;
    EXPECT_NEAR(all.top, h - 2600, 15) << w;
    EXPECT_NEAR(all.right, w - 1200, 15) << w;
    EXPECT_NEAR(all.bottom, h - 280, 15) << w;
}

} // namespace

TEST(Goblin, StandsInTheLowerRightCornerLivingOrCharred) {
    for (const auto& [w, h] : {std::pair{15360.f, 10800.f}, std::pair{11790.f, 9315.f}}) {
        Picture living;
        living.surface.resize(w, h);
        drawGoblin(living.stage, GoblinHeadRadius, GoblinBodyRadius).finish();
        expectGoblin(living.surface, w, h, {GoblinGreen, Black, WedgeGrey});
        EXPECT_EQ(living.surface.fillColor(), GoblinGreen);

        Picture charred;
        charred.surface.resize(w, h);
        drawCharredGoblin(charred.stage, GoblinHeadRadius, GoblinBodyRadius).finish();
        expectGoblin(charred.surface, w, h, {Black, White, Black});
        EXPECT_EQ(charred.surface.fillColor(), Black);
    }
}

// The window shrinks once the head is painted and again once the wedge is begun: the rest of
// the figure, and the rest of the wedge, move with the corner.
TEST(Goblin, FollowsTheCornerAsTheWindowIsResizedWhilePainted) {
    Picture p;
    HoldWatch watch(p.timeline);
    const float W = 15360, H = 10800, w1 = 13000, h1 = 9600, w2 = 11790, h2 = 9315;
    watch.drawn = [&] {
        if (p.surface.width() == W && p.surface.at(W - 2000, H - 2000) == GoblinGreen)
            p.surface.resize(w1, h1);
        if (p.surface.width() == w1 && p.surface.at(w1 - 3095, h1 - 2490) == WedgeGrey)
            p.surface.resize(w2, h2);
    };
    drawGoblin(p.stage, GoblinHeadRadius, GoblinBodyRadius).finish();
    ASSERT_EQ(p.surface.width(), w2);
    EXPECT_EQ(p.surface.at(w1 - 2000, h1 - 1000), GoblinGreen) << "body";
    EXPECT_EQ(p.surface.at(w1 - 2000, h1 - 1700), Black) << "mouth";
    EXPECT_NE(p.surface.at(w1 - 2000, h1 - 2000), GoblinGreen) << "head, painted before";
    EXPECT_EQ(p.surface.at(w2 - 2830, h2 - 1830), WedgeGrey) << "wedge";
    EXPECT_NE(p.surface.at(w1 - 2830, h1 - 1830), WedgeGrey) << "wedge, but its first line";
}
