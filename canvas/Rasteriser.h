#pragma once

#include "canvas/PixelBuffer.h"
#include "canvas/Pixels.h"

class SpanUnion;

// Paints lines, ellipses and arcs into a pixel buffer, aliased and clipped to the buffer.
//
// Geometry is in device pixels, x to the right and y downwards. Pixel (i, j) is the square from
// (i, j) to (i + 1, j + 1); its centre is (i + 1/2, j + 1/2). Each coordinate is first rounded to
// the nearest 1/256 of a pixel. After that every decision is integer arithmetic, or IEEE double
// arithmetic that rounds alike everywhere: the build forbids fused multiply-add and fast-math,
// and the only library function used is the square root, which IEEE rounds exactly. So the same
// primitives give the same pixels on every compiler, processor and platform.
//
// The rules, for lines and outlines w pixels wide:
// - A line 1 pixel wide covers one pixel in each column from the one that holds its first end
//   point to the one that holds its last, both included (each row, for a line steeper than 45
//   degrees): the pixel that holds the point of the line, extended where need be, on the
//   column's centre line. A point on a pixel's edge belongs to the pixel right of or below it.
// - A wider line covers the pixels whose centre lies in the rectangle w wide centred on the
//   segment and reaching w/2 past each end point; a centre on an edge counts when the edge is a
//   right edge (the rectangle lies to its left) or a horizontal bottom edge (the rectangle above
//   it), as a point on a pixel's edge belongs to the pixel right of or below it. A line of no
//   length is the w x w square around its point.
// - An ellipse with radii a and b covers the pixels whose centre lies strictly inside the ellipse
//   of radii a + w/2 and b + w/2. It also always covers the row that holds its centre, and in each
//   row it covers the column that holds its centre, so that no shape vanishes. The outline is the
//   covered pixels that have a side neighbour it does not cover and, when w > 1, those whose
//   centre is not strictly inside the ellipse of radii a - w/2 and b - w/2. The rest is filled.
// - An arc covers the pixels of its circle's outline whose centre lies in its angle range:
//   counter-clockwise on screen from the start direction to the end direction, both included,
//   decided by the signs of cross products with the two directions (from a sine and cosine of our
//   own). An arc that spans no angle covers nothing; one of 2 pi or more is the whole outline.
class Rasteriser {
  public:
    Rasteriser(PixelBuffer& target, int lineWidth);

    // Each returns the pixels it may have painted, within the buffer.
    PixelRect line(double x1, double y1, double x2, double y2, Pixel colour);
    PixelRect ellipse(double x, double y, double a, double b, Pixel outline, Pixel fill);
    // Start and end in radians, 0 pointing right.
    PixelRect arc(double x, double y, double radius, double start, double end, Pixel colour);

    // Hands the spans to `spans` instead of painting them, until called with nullptr.
    void collectInto(SpanUnion* spans) { collector_ = spans; }

  private:
    void paintSpan(std::int64_t y, std::int64_t from, std::int64_t to, Pixel colour);
    PixelRect thinLine(double x1, double y1, double x2, double y2, Pixel colour);
    PixelRect wideLine(double x1, double y1, double x2, double y2, Pixel colour);
    template <typename Paint>
    PixelRect paintEllipse(double x, double y, double a, double b, bool outlined, Paint&& paint);

    PixelBuffer& target_;
    int lineWidth_;
    SpanUnion* collector_ = nullptr;
};
