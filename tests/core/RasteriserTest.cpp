#include "canvas/Rasteriser.h"
#include "canvas/PixelBuffer.h"

#include <gtest/gtest.h>

#include <string>

// Small pictures worked out by hand from the pixel rules in Rasteriser.h: which pixel centres lie
// where, and how ties on an edge are broken.

namespace {

constexpr Pixel Paper = 0xff000000, Ink = 0xffffffff, Rim = 0xffff0000, Inside = 0xff00ff00;
constexpr double TwoPi = 2 * 3.141592653589793;

// A blank picture and the rasteriser that paints on it.
class Sheet {
  public:
    Sheet(int width, int height, int lineWidth = 1)
        : buffer_({width, height}, Paper), rasteriser_(buffer_, lineWidth) {}

    Rasteriser* operator->() { return &rasteriser_; }

    // A line of text a row, each starting on a new line: '.' unpainted, '#' ink, 'o' an outline,
    // 'f' a fill.
    std::string text() const {
        std::string text;
        for (int y = 0; y < buffer_.height(); ++y) {
            text += '\n';
            for (int x = 0; x < buffer_.width(); ++x) {
                const Pixel pixel = buffer_.pixel(x, y);
                text += pixel == Paper    ? '.'
                        : pixel == Ink    ? '#'
                        : pixel == Rim    ? 'o'
                        : pixel == Inside ? 'f'
                                          : '?';
            }
        }
        return text + '\n';
    }

  private:
    PixelBuffer buffer_;
    Rasteriser rasteriser_;
};

struct LineCase {
    double x1, y1, x2, y2;
    int width, height;
    const char* picture;
};

} // namespace

// The end points sit anywhere in their pixels; each column (row) takes the pixel the line
// crosses at its centre. Each line is drawn both ways, which covers all eight octants.
TEST(RasteriserLines, ThinLinesTakeThePixelOnEachColumnsCentreLine) {
    const LineCase cases[] = {
        {0.3, 0.8, 6.6, 3.2, 7, 4, R"(
#......
.##....
...###.
......#
)"},
        {0.9, 3.1, 6.2, 0.4, 7, 4, R"(
.....##
...##..
.##....
#......
)"},
        {0.3, 0.8, 3.2, 6.6, 4, 7, R"(
#...
#...
.#..
.#..
..#.
..#.
...#
)"},
        {3.1, 0.9, 0.4, 6.2, 4, 7, R"(
...#
..#.
..#.
.#..
.#..
#...
#...
)"},
    };
    for (const LineCase& line : cases) {
        Sheet forwards(line.width, line.height), backwards(line.width, line.height);
        forwards->line(line.x1, line.y1, line.x2, line.y2, Ink);
        backwards->line(line.x2, line.y2, line.x1, line.y1, Ink);
        EXPECT_EQ(forwards.text(), line.picture);
        EXPECT_EQ(backwards.text(), line.picture);
    }
}

// Slope 1/2 puts the line on a row boundary at every other column centre (a column boundary at
// every other row centre when steep): the edge point belongs to the pixel below (right of) it,
// whichever way the line climbs.
TEST(RasteriserLines, ThinLinesThroughAPixelEdgeTakeThePixelBelowOrRight) {
    const LineCase cases[] = {
        {0.5, 0.5, 4.5, 2.5, 5, 3, R"(
#....
.##..
...##
)"},
        {0.5, 2.5, 4.5, 0.5, 5, 3, R"(
....#
..##.
##...
)"},
        // End points off the centres and on a pixel's left edge.
        {0, 0.25, 4, 2.25, 5, 3, R"(
#....
.##..
...##
)"},
        {0.5, 0.5, 2.5, 4.5, 3, 5, R"(
#..
.#.
.#.
..#
..#
)"},
        {2.5, 0.5, 0.5, 4.5, 3, 5, R"(
..#
..#
.#.
.#.
#..
)"},
    };
    for (const LineCase& line : cases) {
        Sheet forwards(line.width, line.height), backwards(line.width, line.height);
        forwards->line(line.x1, line.y1, line.x2, line.y2, Ink);
        backwards->line(line.x2, line.y2, line.x1, line.y1, Ink);
        EXPECT_EQ(forwards.text(), line.picture) << line.x1 << "," << line.y1;
        EXPECT_EQ(backwards.text(), line.picture) << line.x1 << "," << line.y1;
    }
}

// A centre on the rectangle's bottom or right edge counts, on its top or left edge not.
TEST(RasteriserLines, WideLinesCoverTheCentresInTheirRectangle) {
    const LineCase cases[] = {
        {2, 5, 8, 5, 12, 8, R"(
............
............
............
............
.#########..
.#########..
.#########..
............
)"},
        {3.2, 2.7, 8.6, 8.1, 12, 11, R"(
............
..##........
.####.......
..####......
...####.....
....####....
.....####...
......####..
.......###..
........#...
............
)"},
        {2.25, 8.5, 9.75, 3.25, 12, 11, R"(
............
............
........###.
.......#####
.....######.
....#####...
..######....
.#####......
#####.......
.##.........
............
)"},
    };
    for (const LineCase& line : cases) {
        Sheet sheet(line.width, line.height, 3);
        sheet->line(line.x1, line.y1, line.x2, line.y2, Ink);
        EXPECT_EQ(sheet.text(), line.picture) << line.x1 << "," << line.y1;
    }
}

TEST(RasteriserLines, ALineOfNoLengthIsItsPixelOrASquare) {
    Sheet thin(4, 4);
    thin->line(2.7, 1.2, 2.7, 1.2, Ink);
    EXPECT_EQ(thin.text(), R"(
....
..#.
....
....
)");
    // The square around (2.5, 2.5) has centres on its right and bottom edges, and (2.2, 2.7)
    // none.
    Sheet onEdges(5, 5, 2), between(5, 5, 2);
    onEdges->line(2.5, 2.5, 2.5, 2.5, Ink);
    between->line(2.2, 2.7, 2.2, 2.7, Ink);
    EXPECT_EQ(onEdges.text(), R"(
.....
.....
..##.
..##.
.....
)");
    EXPECT_EQ(between.text(), R"(
.....
.....
.##..
.##..
.....
)");
}

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
