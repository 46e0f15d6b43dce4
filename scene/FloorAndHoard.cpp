#include "scene/FloorAndHoard.h"

#include "canvas/Palette.h"
#include "stage/Numeric.h"

#include <cmath>

namespace {

// Where a coin may land: y in yBase .. yBase + 99, x in xStart .. xStart + xWidth - 1.
struct HoardRow {
    int yBase;
    int xWidth;
    int xStart;
};

// Rows are numbered 1 (top, draws 191..199) to 20 (bottom, draws 1..10); each row down sits
// 100 twips lower and reaches 100 twips further out on either side.
HoardRow rowForDraw(int draw) {
    // A draw of 0 belongs to no row. Rather than repaint the previous coin's spot (or the
    // top-left corner for the very first coin), it joins the bottom row with the draws 1..10.
    const int row = draw > 190 ? 1 : draw < 1 ? 20 : 20 - (draw - 1) / 10;
    if (row == 20)
        return {10300, 4000, 3000}; // the base reaches a further 100 twips to the left
    return {8300 + 100 * row, 200 * row - 100, 5100 - 100 * row};
}

} // namespace

Painting drawFloor(Stage& stage) {
    for (std::int16_t k = 1; k < 500; k = add16(k, 1)) {
        // The window may be resized between lines, so the size is read for each one.
        const float width = stage.canvas.width();
        const float y = stage.canvas.height() - static_cast<float>(k);
        stage.canvas.line(width, y, 0.0f, y, Palette::FloorBrown);
        co_await stage.drawn();
    }
}

Painting drawGoldHoard(Stage& stage, std::int16_t radius) {
    RandomSource& random = stage.random;
    random.reseedRandom();
    stage.startCue(Cue::Chink);
    for (std::int16_t coin = 1; coin < 5000; coin = add16(coin, 1)) {
        random.reseedRandom();
        const std::int16_t draw = round16(std::floor(200.0 * random.nextRandom()));
        const HoardRow row = rowForDraw(draw);
        // Draw order per coin is fixed: row, y, x, red, green.
        const std::int16_t y = round16(std::floor(100.0 * random.nextRandom()) + row.yBase);
        const std::int16_t x =
            round16(std::floor(row.xWidth * static_cast<double>(random.nextRandom())) + row.xStart);
        const std::int16_t red = round16(std::floor(55.0 * random.nextRandom()) + 200);
        const std::int16_t green = round16(std::floor(55.0 * random.nextRandom()) + 200);

        const Color gold = rgb(red, green, 0);
        stage.canvas.setFillColor(gold);
        stage.canvas.ellipse(x, y, radius, gold, 0.5f);
        co_await stage.drawn();
    }
    stage.stopCue(Cue::Chink);
}
