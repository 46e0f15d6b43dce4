#pragma once

#include "canvas/Canvas.h"

#include <algorithm>
#include <vector>

// A coarse picture without Qt, for comparing what painters leave on screen: square cells of
// `cell` twips. A filled circle or ellipse colours the cells whose centres it covers in the fill
// colour, and always the cell holding its own centre, as a real raster shows even a dot (the
// game always outlines in the same colour, one pixel wide); a line or an arc colours every cell
// it runs through. Like a window, it can be resized to any size up to the one it was made with:
// painting is clipped to the current size, and what lies beyond it is kept.
class PixelGrid : public Canvas {
  public:
    explicit PixelGrid(float width = 15360, float height = 10800, float cell = 15);

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override;
    float width() const override { return width_; }
    float height() const override { return height_; }
    void clear() override;

    void resize(float width, float height);

    // The colour of the cell that holds the point (x, y).
    Color at(float x, float y) const;
    bool operator==(const PixelGrid& other) const { return cells_ == other.cells_; }

    // Calls visit(x, y, colour) for every cell on screen, with the twips of its centre.
    template <typename Visit> void forEachCell(Visit visit) const {
        const int rows = visibleRows(), columns = visibleColumns();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                visit(centreOf(column), centreOf(row),
                      cells_[static_cast<std::size_t>(row * columns_ + column)]);
    }

    // Where the cells on screen whose colour passes `matches` lie, as the box of their centres.
    struct Extent {
        int cells = 0;
        float left = 0, top = 0, right = 0, bottom = 0;
        float centreX() const { return (left + right) / 2; }
        float centreY() const { return (top + bottom) / 2; }
    };
    template <typename Matches> Extent extentOf(Matches matches) const {
        Extent extent;
        forEachCell([&](float x, float y, Color colour) {
            if (!matches(colour))
                return;
            const bool first = extent.cells++ == 0;
            extent.left = first ? x : std::min(extent.left, x);
            extent.right = first ? x : std::max(extent.right, x);
            extent.top = first ? y : std::min(extent.top, y);
            extent.bottom = first ? y : std::max(extent.bottom, y);
        });
        return extent;
    }

  private:
    void mark(float x, float y, Color colour);
    void markCell(int column, int row, Color colour);
    void fill(const CircleShape& shape);
    int visibleColumns() const;
    int visibleRows() const;
    float centreOf(int cell) const { return (static_cast<float>(cell) + 0.5f) * cell_; }

    float width_;
    float height_;
    float cell_;
    int columns_;
    int rows_;
    Color fill_ = rgb(0, 0, 0);
    std::vector<Color> cells_;
};
