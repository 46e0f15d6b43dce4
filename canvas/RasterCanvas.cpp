#include "canvas/RasterCanvas.h"

#include <cmath>
#include <numbers>

namespace {

QImage blankImage(QSize logical, qreal ratio) {
    QImage image(logical * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(RasterCanvas::toQColor(Palette::Background));
    return image;
}

} // namespace

RasterCanvas::RasterCanvas(QSize clientSize, qreal devicePixelRatio)
    : clientSize_(clientSize), image_(blankImage(clientSize, devicePixelRatio)) {
    painter_.begin(&image_);
}

RasterCanvas::~RasterCanvas() {
    painter_.end();
}

QColor RasterCanvas::toQColor(Color colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void RasterCanvas::usePen(Color colour) {
    if (colour == penColour_)
        return;
    penColour_ = colour;
    // One logical pixel wide: one device pixel on an ordinary screen, two at ratio 2.
    QPen pen(toQColor(colour), 1.0);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
}

void RasterCanvas::markDirty(const QRectF& bounds) {
    dirty_ |= bounds.toAlignedRect().adjusted(-1, -1, 2, 2);
}

void RasterCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    usePen(colour);
    const QLineF line(toPixels(x1), toPixels(y1), toPixels(x2), toPixels(y2));
    painter_.drawLine(line);
    markDirty(QRectF(line.p1(), line.p2()).normalized());
}

void RasterCanvas::drawShape(const CircleShape& shape) {
    const QPointF centre(toPixels(shape.x), toPixels(shape.y));
    const qreal rx = std::abs(toPixels(shape.horizontalRadius()));
    const qreal ry = std::abs(toPixels(shape.verticalRadius()));
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    usePen(shape.colour);
    if (shape.arc) {
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
        painter_.setBrush(toQColor(fill_));
        painter_.drawEllipse(bounds);
    }
    markDirty(bounds);
}

void RasterCanvas::clear() {
    image_.fill(toQColor(Palette::Background));
    dirty_ = QRect(QPoint(0, 0), clientSize_);
}

void RasterCanvas::resize(QSize clientSize, qreal devicePixelRatio) {
    const QSize logicalImage = image_.deviceIndependentSize().toSize();
    if (devicePixelRatio != image_.devicePixelRatio() ||
        clientSize.width() > logicalImage.width() || clientSize.height() > logicalImage.height()) {
        painter_.end();
        QImage grown = blankImage(clientSize.expandedTo(logicalImage), devicePixelRatio);
        {
            QPainter copier(&grown);
            copier.drawImage(QPointF(0, 0), image_);
        }
        image_ = std::move(grown);
        painter_.begin(&image_);
        penColour_ = 0xffffffff;
    }
    clientSize_ = clientSize;
}

QRect RasterCanvas::takeDirty() {
    const QRect dirty = dirty_ & QRect(QPoint(0, 0), clientSize_);
    dirty_ = QRect();
    return dirty;
}
