#pragma once

#include "canvas/PixelBuffer.h"

#include <vector>

// The pixels of many shapes of one colour, row by row, so that each pixel of their union is
// painted once: shapes that all paint one colour leave the same picture in any order.
class SpanUnion {
  public:
    explicit SpanUnion(int rows);

    // Pixels from..to inclusive of row y.
    void add(int y, int from, int to);
    bool isEmpty() const { return empty_; }
    // Paints the union and forgets it.
    void paint(PixelBuffer& target, Pixel colour);

  private:
    struct Span {
        int from, to;
    };
    std::vector<std::vector<Span>> rows_;
    bool empty_ = true;
};
