#include "RasterSheet.h"

#include <gtest/gtest.h>

// Circles, ellipses, arcs and clipping in small pictures worked out by hand from the pixel rules in
// Rasteriser.h: which pixel centres lie where, and how ties on an edge are broken.

namespace {

using Sheet = RasterSheet;
constexpr double TwoPi = 2 * 3.141592653589793;

} // namespace

TEST(RasteriserEllipses, CirclesCentredOnAPixel) {
    const std::pair<double, const char*> small[] = {
        {0, R"(
.....
.....
..o..
.....
.....
)"},
        {1, R"(
.....
.ooo.
.ofo.
.ooo.
.....
)"},
        {2, R"(
.ooo.
offfo
offfo
offfo
.ooo.
)"},
    };
    for (const auto& [radius, picture] : small) {
        Sheet sheet(5, 5);
        sheet->ellipse(2.5, 2.5, radius, radius, Rim, Inside);
        EXPECT_EQ(sheet.text(), picture) << radius;
    }

    Sheet large(23, 23);
    large->ellipse(11.5, 11.5, 10, 10, Rim, Inside);
    EXPECT_EQ(large.text(), R"(
.......................
........ooooooo........
......oofffffffoo......
.....offfffffffffo.....
....offfffffffffffo....
...offfffffffffffffo...
..offfffffffffffffffo..
..offfffffffffffffffo..
.offfffffffffffffffffo.
.offfffffffffffffffffo.
.offfffffffffffffffffo.
.offfffffffffffffffffo.
.offfffffffffffffffffo.
.offfffffffffffffffffo.
.offfffffffffffffffffo.
..offfffffffffffffffo..
..offfffffffffffffffo..
...offfffffffffffffo...
....offfffffffffffo....
.....offfffffffffo.....
......oofffffffoo......
........ooooooo........
.......................
)");

    // Radius 4 at width 2: the centres 5 away (3-4-5 and straight out) lie on the outer circle and
    // those 3 away on the inner one, so none of them is inside.
    Sheet wide(11, 11, 2);
    wide->ellipse(5.5, 5.5, 4, 4, Rim, Inside);
    EXPECT_EQ(wide.text(), R"(
...........
...ooooo...
..ooooooo..
.oofffffoo.
.oofffffoo.
.oofffffoo.
.oofffffoo.
.oofffffoo.
..ooooooo..
...ooooo...
...........
)");
}

TEST(RasteriserEllipses, EllipsesOffAPixelCentre) {
    Sheet flat(13, 7), tall(7, 11);
    flat->ellipse(6.3, 2.8, 4, 2, Rim, Inside);
    tall->ellipse(2.6, 5.2, 1.75, 3.5, Rim, Inside);
    EXPECT_EQ(flat.text(), R"(
.....ooo.....
..ooofffoo...
..offfffffo..
..offfffffo..
...ooooooo...
.............
.............
)");
    EXPECT_EQ(tall.text(), R"(
.......
..o....
.ofo...
.offo..
offfo..
offfo..
offfo..
.ofo...
.ooo...
.......
.......
)");
}

// No centre lies inside these, yet the row and column of the centre still show.
TEST(RasteriserEllipses, DegenerateEllipsesKeepTheCentresRowAndColumn) {
    Sheet dot(3, 3), needle(3, 9), bar(9, 3);
    dot->ellipse(1.1, 1.1, 0, 0, Rim, Inside);
    // Half a pixel wide: the centres 0.3 off its axis lie inside only where |dy| < 2.8.
    needle->ellipse(1.2, 4.5, 0, 3, Rim, Inside);
    bar->ellipse(4.5, 1.2, 3, 0, Rim, Inside);
    EXPECT_EQ(dot.text(), "\n...\n.o.\n...\n");
    EXPECT_EQ(needle.text(), "\n...\n.o.\n.o.\n.o.\n.o.\n.o.\n.o.\n.o.\n...\n");
    EXPECT_EQ(bar.text(), "\n.........\n..ooooo..\n.........\n");
}

// From -0.68 to 0.8 radians, and from -0.5 to 0.5 at width 2: the outline's pixels on the right.
TEST(RasteriserArcs, AnArcAcrossTheZeroDirection) {
    Sheet thin(11, 11), wide(11, 11, 2);
    thin->ellipse(3.5, 5.5, 5, 5, Rim, Paper);
    thin->arc(3.5, 5.5, 5, 5.6, 0.8, Ink);
    wide->ellipse(3.5, 5.5, 4.5, 4.5, Rim, Paper);
    wide->arc(3.5, 5.5, 4.5, 5.78, 0.5, Ink);
    EXPECT_EQ(thin.text(), R"(
.ooooo.....
o.....o....
.......#...
........#..
........#..
........#..
........#..
........#..
.......#...
o.....o....
.ooooo.....
)");
    EXPECT_EQ(wide.text(), R"(
.ooooo.....
ooooooo....
oo...ooo...
o.....o##..
.......##..
.......##..
.......##..
o.....o##..
oo...ooo...
ooooooo....
.ooooo.....
)");
}

// Quarter turns from a pixel centre: the pixels straight right, up and down lie on an end
// direction, and count.
TEST(RasteriserArcs, BothEndDirectionsAreIncluded) {
    Sheet up(9, 9), down(9, 9);
    for (Sheet* sheet : {&up, &down})
        (*sheet)->ellipse(4.5, 4.5, 3, 3, Rim, Paper);
    up->arc(4.5, 4.5, 3, 0, TwoPi / 4, Ink);
    down->arc(4.5, 4.5, 3, -TwoPi / 4, 0, Ink);
    EXPECT_EQ(up.text(), R"(
.........
...o##...
..o...#..
.o.....#.
.o.....#.
.o.....o.
..o...o..
...ooo...
.........
)");
    EXPECT_EQ(down.text(), R"(
.........
...ooo...
..o...o..
.o.....o.
.o.....#.
.o.....#.
..o...#..
...o##...
.........
)");
}

TEST(RasteriserArcs, NoSpanPaintsNothingAndAWholeTurnTheOutline) {
    Sheet none(9, 9), whole(9, 9), outline(9, 9);
    EXPECT_TRUE(none->arc(4.5, 4.5, 3, 1.25, 1.25, Ink).isEmpty());
    EXPECT_EQ(none.text(), Sheet(9, 9).text());
    whole->arc(4.5, 4.5, 3, -1, TwoPi - 1, Rim);
    outline->ellipse(4.5, 4.5, 3, 3, Rim, Paper);
    EXPECT_EQ(whole.text(), outline.text());
}

// A disc reaching past every side, its fill running up to the sides, and a thin and a wide line
// from outside to outside.
TEST(RasteriserClipping, ShapesAndLinesAreCutAtEverySide) {
    Sheet shape(8, 6), wide(8, 6, 3);
    shape->ellipse(4.1, 3.3, 4.2, 4.2, Rim, Inside);
    shape->line(-3.5, 2.25, 10.75, 4.5, Ink);
    wide->line(-3.5, 0.25, 10.75, 5.5, Ink);
    EXPECT_EQ(shape.text(), R"(
offffffo
offffffo
#fffffff
f#######
offfffff
offffffo
)");
    EXPECT_EQ(wide.text(), R"(
##......
####....
#######.
.#######
....####
......##
)");
}
