#include "bench/QPainterCanvas.h"

#include "canvas/PixelBuffer.h"
#include "canvas/RasterCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QColor toQColor(Color colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

int deviceSide(int logical, double scale) {
    return std::min(MaxDeviceSide, static_cast<int>(std::ceil(logical * scale)));
}

} // namespace

QPainterCanvas::QPainterCanvas(PixelSize clientSize, double scale)
    : QPainterCanvas(
          clientSize, scale,
          {0, 0, deviceSide(clientSize.width, scale), deviceSide(clientSize.height, scale)}) {}

QPainterCanvas::QPainterCanvas(PixelSize clientSize, double scale, PixelRect window)
    : ClientAreaCanvas(clientSize), scale_(scale),
      image_(window.width, window.height, QImage::Format_RGB32) {
    image_.fill(toQColor(Palette::Background));
    // The scale is ours to apply: Qt's own pixel ratio handling does not go below 1.
    painter_.begin(&image_);
    painter_.setTransform(QTransform::fromScale(scale_, scale_) *
                          QTransform::fromTranslate(-window.x, -window.y));
}

QPainterCanvas::~QPainterCanvas() {
    painter_.end();
}

void QPainterCanvas::usePen(Color colour) {
    if (colour == penColour_)
        return;
    penColour_ = colour;
    // As wide as the game's own lines, in whole device pixels.
    const qreal devicePixels = RasterCanvas::lineWidth(scale_);
    QPen pen(toQColor(colour), devicePixels / scale_);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
}

void QPainterCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    usePen(colour);
    painter_.drawLine(QLineF(toPixels(x1), toPixels(y1), toPixels(x2), toPixels(y2)));
}

void QPainterCanvas::drawShape(const CircleShape& shape) {
    const QPointF centre(toPixels(shape.x), toPixels(shape.y));
    const qreal rx = std::abs(toPixels(shape.horizontalRadius()));
    const qreal ry = std::abs(toPixels(shape.verticalRadius()));
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    usePen(shape.colour);
    if (shape.outline == Outline::Arc) {
        // Qt counts 1/16 degree counter-clockwise on screen from 3 o'clock, as the game does.
        double span = shape.end - shape.start;
        if (span < 0)
            span += 2 * std::numbers::pi;
        const auto sixteenths = [](double radians) {
            return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
        };
        painter_.setBrush(Qt::NoBrush);
        painter_.drawArc(bounds, sixteenths(shape.start), sixteenths(span));
    } else {
        painter_.setBrush(toQColor(fillColor()));
        painter_.drawEllipse(bounds);
    }
}

void QPainterCanvas::clear() {
    image_.fill(toQColor(Palette::Background));
}
