#pragma once

#include "canvas/Canvas.h"
#include "canvas/Palette.h"
#include "canvas/Pixels.h"
#include "canvas/Twips.h"

#include <QImage>
#include <QPainter>

// The picture as the game painted it before it had a rasteriser of its own: QPainter with
// antialiasing off, into an image as large as a RasterCanvas's at the same client size and
// scale. It keeps nothing and never resizes: it is there only to compare pictures and speed.
class QPainterCanvas : public Canvas {
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
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override { return Palette::Background; }
    float width() const override { return static_cast<float>(clientSize_.width) * TwipsPerPixel; }
    float height() const override { return static_cast<float>(clientSize_.height) * TwipsPerPixel; }
    void clear() override;

    const QImage& image() const { return image_; }

  private:
    void usePen(Color colour);

    PixelSize clientSize_;
    double scale_;
    QImage image_;
    QPainter painter_;
    Color fill_ = rgb(0, 0, 0);
    Color penColour_ = 0xffffffff; // no colour: the first pen is always set
};
