#include "canvas/RasterCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

const Pixel background = toPixel(Palette::Background);
const Pixel red = toPixel(rgb(255, 0, 0));
const Pixel green = toPixel(rgb(0, 255, 0));
const Pixel blue = toPixel(rgb(0, 0, 255));
const Pixel white = toPixel(rgb(255, 255, 255));

// The colour at a logical pixel (the top-left device pixel of it).
Pixel at(const RasterCanvas& canvas, int x, int y) {
    const double scale = canvas.scale();
    return canvas.pixels().pixel(static_cast<int>(x * scale), static_cast<int>(y * scale));
}

int paintedPixels(const RasterCanvas& canvas) {
    const PixelBuffer& pixels = canvas.pixels();
    int count = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            count += pixels.pixel(x, y) != background;
    return count;
}

PixelRect paintedBounds(const RasterCanvas& canvas, Pixel colour) {
    const PixelBuffer& pixels = canvas.pixels();
    PixelRect bounds;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.pixel(x, y) == colour)
                bounds = bounds.united({x, y, 1, 1});
    return bounds;
}

} // namespace

TEST(RasterCanvas, LineIncludesBothEndPoints) {
    RasterCanvas canvas(PixelSize{40, 20});
    canvas.line(30, 30, 150, 30, rgb(255, 0, 0));
    for (int x = 2; x <= 10; ++x)
        EXPECT_EQ(at(canvas, x, 2), red) << x;
    EXPECT_EQ(at(canvas, 1, 2), background);
    EXPECT_EQ(at(canvas, 11, 2), background);
    EXPECT_EQ(paintedPixels(canvas), 9);
}

// On a pixel corner, too small to hold a pixel centre: the pixel holding the centre, and for a
// radius reaching the centres above and below it, the one above too.
TEST(RasterCanvas, TinyCirclesStillShow) {
    for (const auto& [radius, pixels] : {std::pair{0.0f, 1}, std::pair{1.0f, 2}}) {
        RasterCanvas canvas(PixelSize{20, 20});
        canvas.setFillColor(rgb(255, 0, 0));
        canvas.circle(150, 150, radius, rgb(255, 0, 0));
        EXPECT_EQ(paintedPixels(canvas), pixels) << radius;
        EXPECT_EQ(at(canvas, 10, 10), red);
    }
}

// Below one the aspect shrinks the height; above one the radius is the height's, and the width
// shrinks instead.
TEST(RasterCanvas, TheAspectSquashesOrStretchesAnEllipse) {
    const auto painted = [](PixelSize client, float x, float y, float radius, float aspect) {
        RasterCanvas canvas(client);
        canvas.setFillColor(rgb(255, 0, 0));
        canvas.ellipse(x, y, radius, rgb(255, 0, 0), aspect);
        return paintedBounds(canvas, red);
    };
    const PixelRect body = painted({600, 500}, 4000, 3500, 2999, 0.6f);
    // 2 x 2999 twips = 400 pixels across, 0.6 of that high, about (266.7, 233.3).
    EXPECT_NEAR(body.width, 400, 1);
    EXPECT_NEAR(body.height, 240, 1);
    EXPECT_NEAR(body.x + body.width / 2.0, 266.7, 1);
    EXPECT_NEAR(body.y + body.height / 2.0, 233.3, 1);
    const PixelRect tall = painted({200, 200}, 1500, 1500, 1500, 2.0f);
    EXPECT_NEAR(tall.height, 200, 1);
    EXPECT_NEAR(tall.width, 100, 1);
}

TEST(RasterCanvas, FillsThenOutlines) {
    RasterCanvas canvas(PixelSize{100, 100});
    canvas.setFillColor(rgb(0, 255, 0));
    canvas.circle(750, 750, 450, rgb(255, 0, 0)); // 30 pixels across
    EXPECT_EQ(at(canvas, 50, 50), green);
    EXPECT_EQ(at(canvas, 50, 20), red);
    EXPECT_EQ(at(canvas, 79, 50), red);
    EXPECT_EQ(at(canvas, 80, 50), background);
    EXPECT_EQ(at(canvas, 50, 18), background);
}

TEST(RasterCanvas, ArcRunsCounterClockwiseAndIsNotFilled) {
    RasterCanvas canvas(PixelSize{300, 300});
    canvas.setFillColor(rgb(0, 255, 0));
    // Centre (100, 100) pixels, radius 30: from the upper right, over the top, down the left.
    canvas.arc(1500, 1500, 450, rgb(200, 0, 0), 3.14f / 3, 9.42f / 2 - 1);
    const Pixel dark = toPixel(rgb(200, 0, 0));
    const auto nearArc = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(canvas, x + dx, y + dy) == dark)
                    return true;
        return false;
    };
    EXPECT_TRUE(nearArc(100, 70));   // top
    EXPECT_TRUE(nearArc(70, 100));   // left
    EXPECT_FALSE(nearArc(130, 100)); // right
    EXPECT_FALSE(nearArc(100, 130)); // bottom
    EXPECT_EQ(at(canvas, 100, 100), background);
    EXPECT_TRUE(paintedBounds(canvas, green).isEmpty());
}

// A later, larger arc of the same centre paints only a ring: rebuilding at a new scale must
// still paint the disc inside it, as painting at that scale from the start does.
TEST(RasterCanvas, ARebuildKeepsADiscInsideALargerArc) {
    const auto paint = [](Canvas& canvas) {
        canvas.setFillColor(rgb(0, 255, 0));
        canvas.circle(1500, 1500, 450, rgb(255, 0, 0));
        canvas.arc(1500, 1500, 600, rgb(255, 255, 255), 0, 6.3f);
    };
    RasterCanvas rebuilt(PixelSize{200, 200}), fresh(PixelSize{200, 200}, 2.0);
    paint(rebuilt);
    paint(fresh);
    rebuilt.resize({200, 200}, 2.0);
    EXPECT_EQ(at(rebuilt, 100, 100), green);
    EXPECT_EQ(at(rebuilt, 100, 70), red);
    EXPECT_EQ(at(rebuilt, 100, 60), white);
    ASSERT_EQ(rebuilt.pixels().size(), fresh.pixels().size());
    EXPECT_TRUE(
        std::equal(rebuilt.pixels().data(),
                   rebuilt.pixels().data() + rebuilt.pixels().width() * rebuilt.pixels().height(),
                   fresh.pixels().data()));
}

TEST(RasterCanvas, ClipsAndAcceptsNegativeCoordinates) {
    RasterCanvas canvas(PixelSize{50, 50});
    canvas.line(-1500, -1500, 1500, 1500, rgb(255, 255, 255));
    EXPECT_EQ(at(canvas, 0, 0), white);
    EXPECT_EQ(at(canvas, 49, 49), white);
    canvas.setFillColor(rgb(0, 0, 255));
    canvas.circle(-150, 375, 450, rgb(0, 0, 255));
    EXPECT_EQ(at(canvas, 0, 25), blue);
    EXPECT_EQ(at(canvas, 25, 25), white);
}

TEST(RasterCanvas, ResizeKeepsPixelsAndFollowsTheClientSize) {
    RasterCanvas canvas(PixelSize{100, 80});
    canvas.line(150, 150, 300, 150, rgb(255, 0, 0));
    canvas.resize({300, 200}, 1.0);
    EXPECT_EQ(canvas.width(), 4500.0f);
    EXPECT_EQ(canvas.height(), 3000.0f);
    EXPECT_EQ(at(canvas, 15, 10), red);
    EXPECT_EQ(at(canvas, 250, 150), background);
    canvas.line(3000, 2250, 3150, 2250, rgb(0, 255, 0)); // only inside the grown area
    EXPECT_EQ(at(canvas, 205, 150), green);
    canvas.resize({50, 40}, 1.0);
    EXPECT_EQ(canvas.width(), 750.0f);
    canvas.resize({300, 200}, 1.0);
    EXPECT_EQ(at(canvas, 205, 150), green);
}

TEST(RasterCanvas, HighDpiDrawsCrispLogicalPixels) {
    RasterCanvas canvas(PixelSize{40, 20}, 2.0);
    EXPECT_EQ(canvas.pixels().size(), (PixelSize{80, 40}));
    EXPECT_EQ(canvas.width(), 600.0f);
    canvas.line(30, 30, 150, 30, rgb(255, 0, 0));
    const PixelRect line = paintedBounds(canvas, red);
    EXPECT_EQ(line.height, 2);
    EXPECT_NEAR(line.x, 3, 1);
    EXPECT_NEAR(line.x + line.width - 1, 21, 1);
    EXPECT_EQ(paintedPixels(canvas), line.width * line.height); // no fringe
}

TEST(RasterCanvas, ClearPaintsEverythingAndMarksItDirty) {
    RasterCanvas canvas(PixelSize{30, 30}, 1.5);
    canvas.line(0, 0, 300, 300, rgb(255, 0, 0));
    EXPECT_FALSE(canvas.takeDirty().isEmpty());
    EXPECT_TRUE(canvas.takeDirty().isEmpty());
    canvas.clear();
    EXPECT_EQ(paintedPixels(canvas), 0);
    EXPECT_EQ(canvas.takeDirty(), (PixelRect{0, 0, 45, 45}));
}

TEST(RasterCanvas, DirtyRegionHoldsEveryPaintedPixel) {
    RasterCanvas canvas(PixelSize{200, 200}, 1.5);
    canvas.takeDirty();
    canvas.setFillColor(rgb(0, 255, 0));
    canvas.circle(1500, 1200, 600, rgb(255, 0, 0));
    canvas.line(100, 2900, 2000, 2500, rgb(0, 0, 255));
    const PixelRect dirty = canvas.takeDirty();
    for (Pixel colour : {red, green, blue}) {
        const PixelRect painted = paintedBounds(canvas, colour);
        EXPECT_EQ(dirty.united(painted), dirty);
    }
}

namespace {

// Concentric discs of several colours (the later, larger ones hide the earlier), a run of
// overlapping discs of one colour, lines over them and an arc.
void paintAMix(Canvas& canvas) {
    for (int radius = 100; radius <= 900; radius += 40) {
        canvas.setFillColor(rgb(radius % 256, 80, 0));
        canvas.circle(1500, 1400, static_cast<float>(radius), rgb(radius % 256, 80, 0));
    }
    canvas.setFillColor(canvas.background());
    for (int step = 0; step < 60; ++step)
        canvas.circle(600.0f + 7 * step, 600.0f + 3 * step, 300.0f + step, canvas.background());
    for (int k = 0; k < 40; ++k)
        canvas.line(100, 2800, 2900.0f - 20 * k, 200, rgb(0, 0, 255));
    canvas.arc(1500, 1400, 500, rgb(255, 255, 255), 0.5f, 4.0f);
}

} // namespace

TEST(RasterCanvas, ABatchPaintsWhatPaintingAsItGoesPaints) {
    for (double scale : {1.0, 1.5, 3.75}) {
        RasterCanvas live(PixelSize{240, 200}, scale), batched(PixelSize{240, 200}, scale);
        paintAMix(live);
        batched.paintBatch(paintAMix);
        EXPECT_TRUE(live.pixels().size() == batched.pixels().size());
        EXPECT_TRUE(
            std::equal(live.pixels().data(),
                       live.pixels().data() + live.pixels().width() * live.pixels().height(),
                       batched.pixels().data()))
            << scale;
        EXPECT_EQ(batched.takeDirty(),
                  (PixelRect{0, 0, batched.deviceSize().width, batched.deviceSize().height}));
    }
}

// A painter that fails part-way leaves what it drew before failing on the picture.
TEST(RasterCanvas, ABatchThatFailsShowsWhatWasDrawn) {
    RasterCanvas canvas(PixelSize{100, 100});
    EXPECT_THROW(canvas.paintBatch([](Canvas& on) {
        on.line(150, 150, 1200, 150, rgb(255, 0, 0));
        throw std::runtime_error("Overflow");
    }),
                 std::runtime_error);
    EXPECT_EQ(at(canvas, 50, 10), red);
    canvas.line(150, 300, 1200, 300, rgb(0, 255, 0));
    EXPECT_EQ(at(canvas, 50, 20), green);
}
