#include "record/AnimationWriter.h"

#include <cstring>

bool AnimationWriter::fail(const QString& message) {
    if (error_.isEmpty())
        error_ = message;
    return false;
}

QRect changedRect(const QImage& before, const QImage& after) {
    const int width = after.width();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    auto same = [&](int y) {
        return std::memcmp(before.constScanLine(y), after.constScanLine(y), rowBytes) == 0;
    };
    int top = 0, bottom = after.height() - 1;
    while (top <= bottom && same(top))
        ++top;
    if (top > bottom)
        return {};
    while (same(bottom))
        --bottom;
    int left = width, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < left; ++x)
            if (a[x] != b[x]) {
                left = x;
                break;
            }
        for (int x = width - 1; x > right; --x)
            if (a[x] != b[x]) {
                right = x;
                break;
            }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
