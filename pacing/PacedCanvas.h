#pragma once

#include "canvas/Canvas.h"
#include "canvas/Twips.h"
#include "pacing/Timeline.h"

// Draws on a surface and charges each primitive to the timeline once it is drawn, so that the
// picture builds up at the pace of the reference machine.
class PacedCanvas : public Canvas {
  public:
    PacedCanvas(Canvas& surface, Timeline& timeline);

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void setFillColor(Color colour) override { surface_.setFillColor(colour); }
    Color fillColor() const override { return surface_.fillColor(); }
    Color background() const override { return surface_.background(); }
    float width() const override { return surface_.width(); }
    float height() const override { return surface_.height(); }
    void clear() override { surface_.clear(); }

  private:
    double pixelWidth() const { return surface_.width() / TwipsPerPixel; }
    double pixelHeight() const { return surface_.height() / TwipsPerPixel; }

    Canvas& surface_;
    Timeline& timeline_;
};
