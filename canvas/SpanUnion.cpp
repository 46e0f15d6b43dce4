#include "canvas/SpanUnion.h"

#include <algorithm>

SpanUnion::SpanUnion(int rows) : rows_(static_cast<std::size_t>(std::max(rows, 0))) {}

void SpanUnion::add(int y, int from, int to) {
    std::vector<Span>& row = rows_[static_cast<std::size_t>(y)];
    empty_ = false;
    // Shapes that move a little at a time overlap their predecessor: most spans merge here.
    if (!row.empty() && from <= row.back().to + 1 && to >= row.back().from - 1) {
        row.back().from = std::min(row.back().from, from);
        row.back().to = std::max(row.back().to, to);
        return;
    }
    row.push_back({from, to});
}

void SpanUnion::paint(PixelBuffer& target, Pixel colour) {
    for (std::size_t y = 0; y < rows_.size(); ++y) {
        std::vector<Span>& spans = rows_[y];
        if (spans.empty())
            continue;
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.from < b.from; });
        Pixel* row = target.row(static_cast<int>(y));
        int paintedTo = -1;
        for (const Span& span : spans) {
            const int from = std::max(span.from, paintedTo + 1);
            if (from <= span.to)
                std::fill(row + from, row + span.to + 1, colour);
            paintedTo = std::max(paintedTo, span.to);
        }
        spans.clear();
    }
    empty_ = true;
}
