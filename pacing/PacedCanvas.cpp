#include "pacing/PacedCanvas.h"

#include "canvas/PrimitiveCost.h"

PacedCanvas::PacedCanvas(Canvas& surface, Timeline& timeline)
    : surface_(surface), timeline_(timeline) {}

void PacedCanvas::Line(float x1, float y1, float x2, float y2, Color colour) {
    surface_.Line(x1, y1, x2, y2, colour);
    timeline_.ChargePrimitive(LinePixels(x1, y1, x2, y2, pixelWidth(), pixelHeight()));
}

void PacedCanvas::DrawCircle(const CircleShape& shape) {
    surface_.DrawCircle(shape);
    timeline_.ChargePrimitive(CirclePixels(shape, pixelWidth(), pixelHeight()));
}
