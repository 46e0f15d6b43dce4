#pragma once

#include "canvas/ClientAreaCanvas.h"
#include "canvas/Pixels.h"

#include <QImage>
#include <QPainter>

// The picture as the game painted it before it had a rasteriser of its own: QPainter with
// antialiasing off, into an image as large as a RasterCanvas's at the same client size and
// scale. It keeps nothing and never resizes: it is there only to compare pictures and speed.
class QPainterCanvas : public ClientAreaCanvas {
  public:
    QPainterCanvas(PixelSize clientSize, double scale);
    // Only the part of that picture within `window`, in device pixels: the image is as large as
    // the window, and each primitive lands where it would in the whole picture, moved by the
    // window's corner.
    QPainterCanvas(PixelSize clientSize, double scale, PixelRect window);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void clear() override;

    const QImage& image() const { return image_; }

  private:
    void usePen(Color colour);

    double scale_;
    QImage image_;
    QPainter painter_;
    Color penColour_ = 0xffffffff; // no colour: the first pen is always set
};
