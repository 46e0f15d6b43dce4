#pragma once

#include "canvas/PassThroughCanvas.h"
#include "pacing/Timeline.h"

// Draws on a surface and charges each primitive to the timeline once it is drawn, so that the
// picture builds up at the pace of the reference machine.
class PacedCanvas : public PassThroughCanvas {
  public:
    PacedCanvas(Canvas& surface, Timeline& timeline);

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;

  private:
    double pixelWidth() const;
    double pixelHeight() const;

    Timeline& timeline_;
};
