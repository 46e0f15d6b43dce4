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
    Color backColor() const override { return surface_.backColor(); }
    float scaleWidth() const override { return surface_.scaleWidth(); }
    float scaleHeight() const override { return surface_.scaleHeight(); }
    void clear() override { surface_.clear(); }

  private:
    double pixelWidth() const { return surface_.scaleWidth() / TwipsPerPixel; }
    double pixelHeight() const { return surface_.scaleHeight() / TwipsPerPixel; }

    Canvas& surface_;
    Timeline& timeline_;
};
