#pragma once

#include "canvas/PixelBuffer.h"

#include <QImage>

// How far two pictures of the same size differ, pixel by pixel. A differing pixel is fine when its
// new colour lies within one pixel of it in the old picture and its old colour within one pixel
// of it in the new one; anything else breaks that rule, a visible change of shape.
struct Difference {
    long differing = 0;
    long breaking = 0;
    // The largest distances of the differing pixels' new colours in the old picture and their
    // old colours in the new one; 1 is within the rule.
    int grew = 0;
    int shrank = 0;
    // Whether a differing pixel has a colour that the other picture holds nowhere.
    bool unmatched = false;
};

// In `marked`, when given: the new picture dimmed, pixels that differ within the rule in yellow,
// those that break it in magenta.
Difference compare(const QImage& before, const QImage& after, QImage* marked = nullptr);

// The rasteriser's pixels as an image, without a copy: they are laid out as RGB32.
QImage imageOf(const PixelBuffer& pixels);
