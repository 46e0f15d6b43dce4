#pragma once

#include "canvas/Canvas.h"

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

    void Line(float x1, float y1, float x2, float y2, Color colour) override;
    void DrawCircle(const CircleShape& shape) override;
    void FillColor(Color colour) override { fill_ = colour; }
    Color FillColor() const override { return fill_; }
    Color BackColor() const override { return Background; }
    float ScaleWidth() const override { return clientSize_.width() * TwipsPerPixel; }
    float ScaleHeight() const override { return clientSize_.height() * TwipsPerPixel; }
    void Cls() override;

    // Follows the window: a new client size or device pixel ratio. Never call it from inside a
    // primitive; it ends the painter around the reallocation.
    void Resize(QSize clientSize, qreal devicePixelRatio);

    QSize ClientSize() const { return clientSize_; }
    const QImage& Image() const { return image_; }
    bool HasDirty() const { return !dirty_.isEmpty(); }
    // The logical rectangle painted since the last call, clipped to the client area.
    QRect TakeDirty();

    static constexpr Color Background = RGB(64, 64, 64);
    static QColor ToQColor(Color colour);

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
