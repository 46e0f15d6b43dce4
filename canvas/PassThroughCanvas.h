#pragma once

#include "canvas/Canvas.h"

// Hands every call on to another canvas, so that a canvas wrapped around a surface overrides
// only what it adds.
class PassThroughCanvas : public Canvas {
  public:
    explicit PassThroughCanvas(Canvas& surface) : surface_(surface) {}

    void line(float x1, float y1, float x2, float y2, Color colour) override {
        surface_.line(x1, y1, x2, y2, colour);
    }
    void drawShape(const CircleShape& shape) override { surface_.drawShape(shape); }
    void setFillColor(Color colour) override { surface_.setFillColor(colour); }
    Color fillColor() const override { return surface_.fillColor(); }
    Color background() const override { return surface_.background(); }
    float width() const override { return surface_.width(); }
    float height() const override { return surface_.height(); }
    void clear() override { surface_.clear(); }

  private:
    Canvas& surface_;
};
