#include "PixelGrid.h"

#include "canvas/Palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

PixelGrid::PixelGrid(float width, float height, float cell)
    : width_(width), height_(height), cell_(cell),
      columns_(static_cast<int>(std::ceil(width / cell))),
      rows_(static_cast<int>(std::ceil(height / cell))),
      cells_(static_cast<std::size_t>(columns_ * rows_), Palette::Background) {}

void PixelGrid::line(float x1, float y1, float x2, float y2, Color colour) {
    // Walks from cell to cell, crossing whichever cell edge the segment meets first, so that
    // even a cell whose corner it only clips is coloured.
    const float fromX = x1 / cell_, fromY = y1 / cell_, toX = x2 / cell_, toY = y2 / cell_;
    int column = static_cast<int>(std::floor(fromX)), row = static_cast<int>(std::floor(fromY));
    const int columnSteps = std::abs(static_cast<int>(std::floor(toX)) - column);
    const int rowSteps = std::abs(static_cast<int>(std::floor(toY)) - row);
    const int stepX = toX > fromX ? 1 : -1, stepY = toY > fromY ? 1 : -1;
    // How far along the segment (0 to 1) the next column and row edges lie, and the distance
    // between edges.
    const float spanX = std::abs(toX - fromX), spanY = std::abs(toY - fromY);
    const float edgeX =
        stepX > 0 ? static_cast<float>(column + 1) - fromX : fromX - static_cast<float>(column);
    const float edgeY =
        stepY > 0 ? static_cast<float>(row + 1) - fromY : fromY - static_cast<float>(row);
    float nextX = spanX > 0 ? edgeX / spanX : 2, nextY = spanY > 0 ? edgeY / spanY : 2;
    const float betweenX = spanX > 0 ? 1 / spanX : 2, betweenY = spanY > 0 ? 1 / spanY : 2;
    markCell(column, row, colour);
    for (int columnsLeft = columnSteps, rowsLeft = rowSteps; columnsLeft + rowsLeft > 0;) {
        if (rowsLeft == 0 || (columnsLeft > 0 && nextX < nextY)) {
            column += stepX;
            nextX += betweenX;
            --columnsLeft;
        } else {
            row += stepY;
            nextY += betweenY;
            --rowsLeft;
        }
        markCell(column, row, colour);
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

void PixelGrid::resize(float width, float height) {
    if (width > static_cast<float>(columns_) * cell_ || height > static_cast<float>(rows_) * cell_)
        throw std::invalid_argument("PixelGrid: larger than it was made");
    width_ = width;
    height_ = height;
}

Color PixelGrid::at(float x, float y) const {
    const int column = static_cast<int>(x / cell_), row = static_cast<int>(y / cell_);
    return cells_.at(static_cast<std::size_t>(row * columns_ + column));
}

void PixelGrid::mark(float x, float y, Color colour) {
    markCell(static_cast<int>(std::floor(x / cell_)), static_cast<int>(std::floor(y / cell_)),
             colour);
}

void PixelGrid::markCell(int column, int row, Color colour) {
    if (column >= 0 && column < visibleColumns() && row >= 0 && row < visibleRows())
        cells_[static_cast<std::size_t>(row * columns_ + column)] = colour;
}

void PixelGrid::fill(const CircleShape& shape) {
    const float rx = shape.horizontalRadius(), ry = shape.verticalRadius();
    if (rx <= 0 || ry <= 0)
        return;
    mark(shape.x, shape.y, fill_);
    const int top = std::max(0, static_cast<int>(std::floor((shape.y - ry) / cell_)));
    const int bottom =
        std::min(visibleRows() - 1, static_cast<int>(std::floor((shape.y + ry) / cell_)));
    for (int row = top; row <= bottom; ++row) {
        const float dy = ((static_cast<float>(row) + 0.5f) * cell_ - shape.y) / ry;
        if (dy * dy > 1)
            continue;
        // The cells whose centres lie within half a chord of the centre.
        const float half = rx * std::sqrt(1 - dy * dy);
        const int left = std::max(0, static_cast<int>(std::ceil((shape.x - half) / cell_ - 0.5f)));
        const int right = std::min(visibleColumns() - 1,
                                   static_cast<int>(std::floor((shape.x + half) / cell_ - 0.5f)));
        for (int column = left; column <= right; ++column)
            cells_[static_cast<std::size_t>(row * columns_ + column)] = fill_;
    }
}

int PixelGrid::visibleColumns() const {
    return std::min(columns_, static_cast<int>(std::ceil(width_ / cell_)));
}

int PixelGrid::visibleRows() const {
    return std::min(rows_, static_cast<int>(std::ceil(height_ / cell_)));
}
