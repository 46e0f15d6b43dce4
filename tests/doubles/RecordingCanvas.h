#pragma once

#include "canvas/Canvas.h"

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

    void Line(float x1, float y1, float x2, float y2, Color colour) override;
    void DrawCircle(const CircleShape& shape) override;
    void FillColor(Color colour) override;
    Color FillColor() const override { return fill_; }
    Color BackColor() const override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void Cls() override { ++clsCount_; }

    void Resize(float scaleWidth, float scaleHeight);

    const std::vector<Primitive>& Primitives() const { return primitives_; }
    std::vector<LineCall> Lines() const;
    std::vector<CircleCall> Circles() const;
    int ClsCount() const { return clsCount_; }
    int FillColorSets() const { return fillSets_; }
    int BackColorReads() const { return backReads_; }
    int SizeReads() const { return sizeReads_; }
    // Forgets what was recorded; the size and FillColor stay.
    void Forget();

    static constexpr Color Background = RGB(64, 64, 64);

  private:
    std::vector<Primitive> primitives_;
    float width_;
    float height_;
    Color fill_ = RGB(0, 0, 0);
    int clsCount_ = 0;
    int fillSets_ = 0;
    mutable int backReads_ = 0;
    mutable int sizeReads_ = 0;
};
