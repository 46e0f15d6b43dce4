#include "pacing/PacedCanvas.h"

#include "canvas/PrimitiveCost.h"

PacedCanvas::PacedCanvas(Canvas& surface, Timeline& timeline)
    : surface_(surface), timeline_(timeline) {}

void PacedCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    surface_.line(x1, y1, x2, y2, colour);
    timeline_.chargePrimitive(linePixels(x1, y1, x2, y2, pixelWidth(), pixelHeight()));
}

void PacedCanvas::drawShape(const CircleShape& shape) {
    surface_.drawShape(shape);
    timeline_.chargePrimitive(circlePixels(shape, pixelWidth(), pixelHeight()));
}
