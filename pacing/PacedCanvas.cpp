#include "pacing/PacedCanvas.h"

#include "canvas/PrimitiveCost.h"
#include "canvas/Twips.h"

PacedCanvas::PacedCanvas(Canvas& surface, Timeline& timeline)
    : PassThroughCanvas(surface), timeline_(timeline) {}

void PacedCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    PassThroughCanvas::line(x1, y1, x2, y2, colour);
    timeline_.chargePrimitive(linePixels(x1, y1, x2, y2, pixelWidth(), pixelHeight()));
}

void PacedCanvas::drawShape(const CircleShape& shape) {
    PassThroughCanvas::drawShape(shape);
    timeline_.chargePrimitive(circlePixels(shape, pixelWidth(), pixelHeight()));
}

double PacedCanvas::pixelWidth() const {
    return width() / TwipsPerPixel;
}

double PacedCanvas::pixelHeight() const {
    return height() / TwipsPerPixel;
}
