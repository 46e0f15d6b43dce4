#pragma once

#include "canvas/Canvas.h"
#include "pacing/Timeline.h"

// Draws on a surface and charges each primitive to the timeline once it is drawn, so that the
// picture builds up at the pace of the reference machine.
class PacedCanvas : public Canvas {
  public:
    PacedCanvas(Canvas& surface, Timeline& timeline);

    void Line(float x1, float y1, float x2, float y2, Color colour) override;
    void DrawCircle(const CircleShape& shape) override;
    void FillColor(Color colour) override { surface_.FillColor(colour); }
    Color FillColor() const override { return surface_.FillColor(); }
    Color BackColor() const override { return surface_.BackColor(); }
    float ScaleWidth() const override { return surface_.ScaleWidth(); }
    float ScaleHeight() const override { return surface_.ScaleHeight(); }
    void Cls() override { surface_.Cls(); }

  private:
    double pixelWidth() const { return surface_.ScaleWidth() / TwipsPerPixel; }
    double pixelHeight() const { return surface_.ScaleHeight() / TwipsPerPixel; }

    Canvas& surface_;
    Timeline& timeline_;
};
