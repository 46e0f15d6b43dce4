#include "RasterSheet.h"

#include <gtest/gtest.h>

// Lines in small pictures worked out by hand from the pixel rules in Rasteriser.h: which pixel
// centres lie where, and how ties on an edge are broken.

namespace {

using Sheet = RasterSheet;

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
    const char* const descending = R"(
#....
.##..
...##
)";
    const LineCase cases[] = {
        {0.5, 0.5, 4.5, 2.5, 5, 3, descending},
        {0.5, 2.5, 4.5, 0.5, 5, 3, R"(
....#
..##.
##...
)"},
        // End points off the centres and on a pixel's left edge.
        {0, 0.25, 4, 2.25, 5, 3, descending},
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
