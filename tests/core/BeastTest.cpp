#include "scene/Beast.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace Palette;
using Picture = StageOn<PixelGrid>;

} // namespace

TEST(Beast, GrowsIntoTheSamePictureFromAnyRadius) {
    Picture growing, atOnce;
    growing.controls.caption = atOnce.controls.caption = "x";
    drawBeast(growing.stage, 1).finish();
    drawBeast(atOnce.stage, BodyRadius).finish();
    EXPECT_TRUE(growing.surface == atOnce.surface);
    EXPECT_EQ(growing.controls.caption, " ");
    EXPECT_EQ(atOnce.controls.caption, " ");

    const PixelGrid& beast = atOnce.surface;
    EXPECT_EQ(beast.at(BodyX, BodyY), Red);
    EXPECT_EQ(beast.at(BodyX + BodyRadius - 30, BodyY), Red);
    EXPECT_EQ(beast.at(BodyX + BodyRadius + 30, BodyY), Background);
    EXPECT_EQ(beast.at(EyeX - 200, EyeY), White);
    EXPECT_EQ(beast.at(EyeX + 250, EyeY + 150), Black);   // the pupil
    EXPECT_EQ(beast.at(BrowX2 - 300, BrowY2), Black);     // half-way along the brow
    EXPECT_EQ(beast.at(500, 5000), Red);                  // the tail, left of the body
    EXPECT_EQ(beast.at(7625, 1250), Maroon);              // the blade above the eye
    EXPECT_EQ(beast.at(BodyX, BodyY + 2000), Background); // nothing below the body
}

TEST(Beast, AFullGrownBodyPaintsNothingMoreButStillBlanksTheLabel) {
    Picture full;
    full.stage.canvas.setFillColor(White);
    full.controls.caption = "x";
    drawBody(full.stage, BodyRadius + 1).finish();
    EXPECT_TRUE(full.surface == PixelGrid());
    EXPECT_EQ(full.surface.fillColor(), White);
    EXPECT_EQ(full.controls.caption, " ");
}

TEST(Beast, EyeHasARimAnEyeballAndAPupilThatKeepsItsSize) {
    for (const std::int16_t r : {EyeRadius, static_cast<std::int16_t>(2 * EyeRadius)}) {
        Picture eye;
        drawEye(eye.stage, EyeX, EyeY, r).finish();
        const PixelGrid& p = eye.surface;
        EXPECT_EQ(p.at(EyeX - r + 25, EyeY), Black) << "rim, radius " << r;
        EXPECT_EQ(p.at(EyeX - r / 2, EyeY), White) << "eyeball, radius " << r;
        EXPECT_EQ(p.at(EyeX + 250, EyeY + 150), Black) << "pupil, radius " << r;
        EXPECT_EQ(p.at(EyeX + 250 - 140, EyeY + 150), Black) << "pupil, radius " << r;
        EXPECT_EQ(p.at(EyeX + 250 - 170, EyeY + 150), White) << "pupil, radius " << r;
        EXPECT_EQ(p.at(EyeX - r - 30, EyeY), Background) << "radius " << r;
    }
}

TEST(Beast, SixteenBitOverflowsStopThePainters) {
    StageFixture f;
    const std::int16_t big = 32600, tooFar = 28000, edge = -32500;
    EXPECT_THROW(drawEye(f.stage, big, EyeY, EyeRadius).finish(), OverflowError); // x + 250
    EXPECT_THROW(drawSpikes(f.stage, 5500, 2000, tooFar, 500).finish(),
                 OverflowError); // reach + 5000
    EXPECT_THROW(drawBrow(f.stage, edge, BrowY1, BrowX2, BrowY2).finish(), OverflowError);
    // The tail's arguments are untyped: it widens past 16 bits instead.
    EXPECT_NO_THROW(drawTail(f.stage, 0, 32000, 2000, 2500).finish());
}

// The growing body is the one animation of the lair; the story's screens are timed with the story.
TEST(Tempo, TheBodyGrowsInAboutASecond) {
    StageFixture f;
    drawBody(f.stage, 1).finish();
    std::printf("[ tempo ] growing body %.3f s\n", f.nominalSeconds());
    EXPECT_GE(f.nominalSeconds(), 1.0);
    EXPECT_LE(f.nominalSeconds(), 1.5);
}
