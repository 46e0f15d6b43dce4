#pragma once

#include "canvas/Canvas.h"
#include "canvas/Palette.h"

#include <variant>
#include <vector>

// A canvas that draws nothing and remembers every call, for checking painters primitive by
// primitive. Its size can be changed at any moment, like a window being resized.
class RecordingCanvas : public Canvas {
  public:
    struct LineCall {
        float x1, y1, x2, y2;
        Color colour;
    };
    struct CircleCall {
        CircleShape shape;
        Color fill; // FillColor when the circle was drawn
    };
    using Primitive = std::variant<LineCall, CircleCall>;

    explicit RecordingCanvas(float scaleWidth = 15360, float scaleHeight = 10800);

    void line(float x1, float y1, float x2, float y2, Color colour) override;
    void drawShape(const CircleShape& shape) override;
    void setFillColor(Color colour) override;
    Color fillColor() const override { return fill_; }
    Color background() const override;
    float width() const override { return width_; }
    float height() const override { return height_; }
    void clear() override { ++clearCount_; }

    void resize(float scaleWidth, float scaleHeight);

    const std::vector<Primitive>& primitives() const { return primitives_; }
    std::vector<LineCall> lines() const;
    std::vector<CircleCall> circles() const;
    int clearCount() const { return clearCount_; }
    int fillColorSets() const { return fillSets_; }
    int backColorReads() const { return backReads_; }
    // Forgets what was recorded; the size and FillColor stay.
    void forget();

  private:
    template <typename Call> std::vector<Call> only() const {
        std::vector<Call> calls;
        for (const auto& primitive : primitives_)
            if (const auto* call = std::get_if<Call>(&primitive))
                calls.push_back(*call);
        return calls;
    }

    std::vector<Primitive> primitives_;
    float width_;
    float height_;
    Color fill_ = rgb(0, 0, 0);
    int clearCount_ = 0;
    int fillSets_ = 0;
    mutable int backReads_ = 0;
};
