#include "bench/PictureDifference.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr QRgb Differing = qRgb(255, 255, 0);
constexpr QRgb Breaking = qRgb(255, 0, 255);
constexpr int Absent = -1;
// Pixels compared at once before looking at them one by one.
constexpr int CompareRun = 64;

// The distance from (x, y) to the nearest pixel of the colour in the image, counting a diagonal
// step as one; Absent when the image holds none. `absent` keeps the colours found missing, so
// that each costs one search of the whole image.
int distanceTo(const QImage& image, int x, int y, QRgb colour, std::vector<QRgb>& absent) {
    if (std::ranges::find(absent, colour) != absent.end())
        return Absent;
    const int width = image.width();
    const int height = image.height();
    const int farthest = std::max({x, y, width - 1 - x, height - 1 - y});
    for (int distance = 1; distance <= farthest; ++distance) {
        const int top = y - distance;
        const int bottom = y + distance;
        const int left = std::max(x - distance, 0);
        const int right = std::min(x + distance, width - 1);
        for (int j = std::max(top, 0); j <= std::min(bottom, height - 1); ++j) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
            // The whole row at the top and bottom of the ring, its two ends in between.
            const int step = j == top || j == bottom ? 1 : std::max(right - left, 1);
            for (int i = left; i <= right; i += step) {
                if (row[i] == colour && std::max(std::abs(i - x), std::abs(j - y)) == distance)
                    return distance;
            }
        }
    }
    absent.push_back(colour);
    return Absent;
}

} // namespace

Difference compare(const QImage& before, const QImage& after, QImage* marked) {
    Difference result;
    std::vector<QRgb> absentBefore;
    std::vector<QRgb> absentAfter;
    if (marked)
        *marked = QImage(after.size(), QImage::Format_RGB32);
    // QImage's accessors are calls into the library: too slow for every pixel.
    const int width = after.width();
    const int height = after.height();
    for (int y = 0; y < height; ++y) {
        const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        auto* marks = marked ? reinterpret_cast<QRgb*>(marked->scanLine(y)) : nullptr;
        for (int start = 0; start < width; start += CompareRun) {
            const int end = std::min(start + CompareRun, width);
            // Most of a picture agrees, and memcmp tells that much sooner than a pixel at a time.
            const bool same =
                std::memcmp(old + start, now + start,
                            static_cast<std::size_t>(end - start) * sizeof(QRgb)) == 0;
            if (same && !marks)
                continue;
            for (int x = start; x < end; ++x) {
                if (old[x] == now[x]) {
                    if (marks)
                        marks[x] = qRgb(qRed(now[x]) / 4, qGreen(now[x]) / 4, qBlue(now[x]) / 4);
                    continue;
                }
                ++result.differing;
                const int grew = distanceTo(before, x, y, now[x], absentBefore);
                const int shrank = distanceTo(after, x, y, old[x], absentAfter);
                result.grew = std::max(result.grew, grew);
                result.shrank = std::max(result.shrank, shrank);
                result.unmatched = result.unmatched || grew == Absent || shrank == Absent;
                // The pixel itself holds neither colour in the other picture, so within one pixel
                // means one pixel away.
                const bool breaks = grew != 1 || shrank != 1;
                result.breaking += breaks;
                if (marks)
                    marks[x] = breaks ? Breaking : Differing;
            }
        }
    }
    return result;
}

QImage imageOf(const PixelBuffer& pixels) {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.stride(), QImage::Format_RGB32);
}
