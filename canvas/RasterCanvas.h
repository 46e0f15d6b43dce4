#pragma once

#include "canvas/ClientAreaCanvas.h"
#include "canvas/PixelBuffer.h"
#include "canvas/Pixels.h"
#include "canvas/Twips.h"

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <variant>
#include <vector>

class Rasteriser;

// The canvas every front end shows: a kept picture in device pixels, painted by the Rasteriser.
//
// The painters see a client area in logical pixels (15 twips each); the picture holds it at a
// scale of device pixels per logical pixel (the zoom times the screen's pixel ratio), so that
// every primitive lands on whole device pixels, crisp at any zoom. Lines and outlines are
// max(1, round(scale)) device pixels wide. The canvas keeps the primitives drawn since the last
// clear, so that a new scale rebuilds the picture sharp instead of stretching it.
//
// The picture only grows with the client area, up to MaxDeviceSide device pixels a side:
// shrinking the window and growing it back keeps what was painted.
class RasterCanvas : public ClientAreaCanvas {
  public:
    explicit RasterCanvas(PixelSize clientSize, double scale = 1.0);

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void clear() override;

    // Runs `paint` on this canvas keeping its primitives but painting none of them until it
    // returns, then paints them as a rebuild does, skipping what later ones paint over: the same
    // picture, sooner, for a scene painted again at once.
    void paintBatch(const std::function<void(Canvas&)>& paint);

    // Follows the window: a new client size, or a new scale, which repaints the picture from the
    // kept primitives.
    void resize(PixelSize clientSize, double scale);

    // Device pixels per logical pixel of the picture.
    double scale() const { return scale_; }
    // The picture, at least the client area at the scale (less only where MaxDeviceSide caps it).
    const PixelBuffer& pixels() const { return pixels_; }
    // The client area in device pixels.
    PixelSize deviceSize() const;
    // How many device pixels wide lines and outlines are at a scale: max(1, round(scale)).
    static int lineWidth(double scale);
    // The device pixels painted since the last call, within the client area.
    PixelRect takeDirty();
    // The whole picture is to be shown again, as after a repaint from scratch.
    void markAllDirty();
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

    double device(float twips) const;
    PixelRect paint(const Primitive& primitive, Rasteriser& rasteriser) const;
    PixelRect paint(const Primitive& primitive);
    void keep(Primitive primitive, std::size_t key);
    std::vector<bool> coveredShapes() const;
    void rebuild();
    void repaintAll();

    double scale_;
    PixelSize extent_; // the logical area the picture holds: at least the client area
    PixelBuffer pixels_;
    PixelRect dirty_;

    // The picture since the last clear: an optional bitmap, then primitives in order. A primitive
    // that a later one with the same geometry covers is dropped (left as monostate).
    PixelBuffer base_;
    double baseScale_ = 1.0;
    std::vector<Primitive> kept_;
    std::unordered_map<std::size_t, std::size_t> lastWithKey_;
    std::size_t dropped_ = 0;
    bool batched_ = false;
};
