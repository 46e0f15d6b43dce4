#pragma once

#include "canvas/Canvas.h"
#include "canvas/Palette.h"
#include "canvas/Twips.h"
#include "game/Layout.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <unordered_map>
#include <variant>
#include <vector>

// A game colour as Qt takes it.
QColor toQColor(Color colour);

// The canvas the window shows: a kept image drawn with QPainter, antialiasing off.
//
// The painters see a client area in logical pixels (15 twips each); the image holds it at a
// scale of device pixels per logical pixel (the zoom times the screen's pixel ratio), so that
// every primitive lands on whole device pixels, crisp at any zoom. Lines are round(scale) device
// pixels wide. The canvas keeps the primitives drawn since the last clear, so that a new scale
// rebuilds the picture sharp instead of stretching it.
//
// The image only grows with the client area, up to MaxDeviceSide device pixels a side: shrinking
// the window and growing it back keeps what was painted.
class RasterCanvas : public Canvas {
  public:
    explicit RasterCanvas(QSize clientSize, qreal scale = 1.0);
    ~RasterCanvas() override;
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void setFillColor(Color colour) override { fill_ = colour; }
    Color fillColor() const override { return fill_; }
    Color background() const override { return Palette::Background; }
    float width() const override { return clientSize_.width() * TwipsPerPixel; }
    float height() const override { return clientSize_.height() * TwipsPerPixel; }
    void clear() override;

    // Follows the window: a new client size, or a new scale, which repaints the picture from the
    // kept primitives. Never call it from inside a primitive; it ends the painter meanwhile.
    void resize(QSize clientSize, qreal scale);

    QSize clientSize() const { return clientSize_; }
    // Device pixels per logical pixel of the image.
    qreal scale() const { return scale_; }
    const QImage& image() const { return image_; }
    bool hasDirty() const { return !dirty_.isEmpty(); }
    // The logical rectangle painted since the last call, clipped to the client area.
    QRect takeDirty();
    // How many primitives a rebuild would repaint.
    std::size_t keptPrimitives() const { return kept_.size() - dropped_; }

    // Past this many kept primitives the picture so far becomes a bitmap that a rebuild scales,
    // which keeps the memory bounded (about 40 bytes a primitive); no picture of the game comes
    // near it.
    static constexpr std::size_t MaxKeptPrimitives = 2'000'000;

  private:
    struct LineCall {
        float x1, y1, x2, y2;
        Color colour;
    };
    struct ShapeCall {
        CircleShape shape;
        Color fill;
    };
    using Primitive = std::variant<std::monostate, LineCall, ShapeCall>;

    void begin();
    void usePen(Color colour);
    void paint(const LineCall& call);
    void paint(const ShapeCall& call);
    void keep(Primitive primitive, std::size_t key);
    std::vector<bool> coveredShapes() const;
    void rebuild();
    void markDirty(const QRectF& bounds);

    QSize clientSize_;
    qreal scale_;
    QSize extent_; // the logical area the image holds: at least the client area
    QImage image_;
    QPainter painter_;
    Color fill_ = rgb(0, 0, 0);
    Color penColour_ = 0xffffffff;
    QRect dirty_;

    // The picture since the last clear: an optional bitmap, then primitives in order. A primitive
    // that a later one with the same geometry covers is dropped (left as monostate).
    QImage base_;
    qreal baseScale_ = 1.0;
    std::vector<Primitive> kept_;
    std::unordered_map<std::size_t, std::size_t> lastWithKey_;
    std::size_t dropped_ = 0;
};
