#pragma once

#include "canvas/Canvas.h"

#include <vector>

// A coarse picture without Qt, for comparing what painters leave on screen: square cells of
// `cell` twips. A filled circle or ellipse colours the cells whose centres it covers in the fill
// colour (the game always outlines in the same colour, one pixel wide); a line or an arc colours
// every cell it runs through.
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

    // The colour of the cell that holds the point (x, y).
    Color at(float x, float y) const;
    bool operator==(const PixelGrid& other) const { return cells_ == other.cells_; }

  private:
    void mark(float x, float y, Color colour);
    void fill(const CircleShape& shape);

    float width_;
    float height_;
    float cell_;
    int columns_;
    int rows_;
    Color fill_ = rgb(0, 0, 0);
    std::vector<Color> cells_;
};
