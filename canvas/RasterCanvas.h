#pragma once

#include "canvas/Canvas.h"
#include "canvas/Palette.h"
#include "canvas/Twips.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

// The canvas the window shows: a persistent image drawn with QPainter, antialiasing off. The
// image has the client size times the device pixel ratio and the painter works in logical
// pixels, so every primitive lands on whole device pixels and stays crisp on high-DPI screens.
// The image only grows: shrinking the window and growing it back keeps what was painted.
class RasterCanvas : public Canvas {
  public:
    explicit RasterCanvas(QSize clientSize = QSize(1024, 720), qreal devicePixelRatio = 1.0);
    ~RasterCanvas() override;
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color backColor() const override { return Palette::Background; }
    float scaleWidth() const override { return clientSize_.width() * TwipsPerPixel; }
    float scaleHeight() const override { return clientSize_.height() * TwipsPerPixel; }
    void clear() override;

    // Follows the window: a new client size or device pixel ratio. Never call it from inside a
    // primitive; it ends the painter around the reallocation.
    void resize(QSize clientSize, qreal devicePixelRatio);

    QSize clientSize() const { return clientSize_; }
    const QImage& image() const { return image_; }
    bool hasDirty() const { return !dirty_.isEmpty(); }
    // The logical rectangle painted since the last call, clipped to the client area.
    QRect takeDirty();

    static QColor toQColor(Color colour);

  private:
    void usePen(Color colour);
    void markDirty(const QRectF& bounds);

    QSize clientSize_;
    QImage image_;
    QPainter painter_;
    Color fill_ = RGB(0, 0, 0);
    Color penColour_ = 0xffffffff;
    QRect dirty_;
};
