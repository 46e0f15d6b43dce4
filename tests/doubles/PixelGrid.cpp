#include "PixelGrid.h"

#include "canvas/Palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

PixelGrid::PixelGrid(float width, float height, float cell)
    : width_(width), height_(height), cell_(cell),
      columns_(static_cast<int>(std::ceil(width / cell))),
      rows_(static_cast<int>(std::ceil(height / cell))),
      cells_(static_cast<std::size_t>(columns_ * rows_), Palette::Background) {}

void PixelGrid::line(float x1, float y1, float x2, float y2, Color colour) {
    // Half a cell apart, so that no cell on the way is skipped.
    const int steps = static_cast<int>(std::hypot(x2 - x1, y2 - y1) / (cell_ / 2)) + 1;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        mark(x1 + (x2 - x1) * t, y1 + (y2 - y1) * t, colour);
    }
}

void PixelGrid::drawShape(const CircleShape& shape) {
    if (shape.outline == Outline::Closed)
        return fill(shape);
    const float rx = shape.horizontalRadius(), ry = shape.verticalRadius();
    const float to =
        shape.end < shape.start ? shape.end + 2 * std::numbers::pi_v<float> : shape.end;
    const int steps = static_cast<int>(std::max(rx, ry) * (to - shape.start) / (cell_ / 2)) + 8;
    for (int i = 0; i <= steps; ++i) {
        // Counter-clockwise on screen, where y runs downwards.
        const float a =
            shape.start + (to - shape.start) * static_cast<float>(i) / static_cast<float>(steps);
        mark(shape.x + rx * std::cos(a), shape.y - ry * std::sin(a), shape.colour);
    }
}

Color PixelGrid::background() const {
    return Palette::Background;
}

void PixelGrid::clear() {
    std::fill(cells_.begin(), cells_.end(), Palette::Background);
}

Color PixelGrid::at(float x, float y) const {
    const int column = static_cast<int>(x / cell_), row = static_cast<int>(y / cell_);
    return cells_.at(static_cast<std::size_t>(row * columns_ + column));
}

void PixelGrid::mark(float x, float y, Color colour) {
    const int column = static_cast<int>(std::floor(x / cell_));
    const int row = static_cast<int>(std::floor(y / cell_));
    if (column >= 0 && column < columns_ && row >= 0 && row < rows_)
        cells_[static_cast<std::size_t>(row * columns_ + column)] = colour;
}

void PixelGrid::fill(const CircleShape& shape) {
    const float rx = shape.horizontalRadius(), ry = shape.verticalRadius();
    if (rx <= 0 || ry <= 0)
        return;
    const int top = std::max(0, static_cast<int>(std::floor((shape.y - ry) / cell_)));
    const int bottom = std::min(rows_ - 1, static_cast<int>(std::floor((shape.y + ry) / cell_)));
    for (int row = top; row <= bottom; ++row) {
        const float dy = ((static_cast<float>(row) + 0.5f) * cell_ - shape.y) / ry;
        if (dy * dy > 1)
            continue;
        // The cells whose centres lie within half a chord of the centre.
        const float half = rx * std::sqrt(1 - dy * dy);
        const int left = std::max(0, static_cast<int>(std::ceil((shape.x - half) / cell_ - 0.5f)));
        const int right =
            std::min(columns_ - 1, static_cast<int>(std::floor((shape.x + half) / cell_ - 0.5f)));
        for (int column = left; column <= right; ++column)
            cells_[static_cast<std::size_t>(row * columns_ + column)] = fill_;
    }
}
