#include "record/AnimationWriter.h"

#include "files/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <new>

template <typename Step> bool AnimationWriter::guarded(Step step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return failOutOfMemory();
    }
}

bool AnimationWriter::open(QIODevice& out, QSize screen) {
    return guarded([&] { return openAnimation(out, screen); });
}

bool AnimationWriter::addFrame(const QImage& picture, std::int64_t startNs) {
    if (hasFailed())
        return false;
    // The caller's picture, or its conversion, may be what memory could not hold.
    if (picture.isNull())
        return failOutOfMemory();
    return guarded([&] { return addPicture(picture, startNs); });
}

bool AnimationWriter::finish(std::int64_t endNs) {
    if (hasFailed())
        return false;
    return guarded([&] { return finishAnimation(endNs); });
}

bool AnimationWriter::failOutOfMemory() {
    return fail(SafeFile::reason(ENOMEM));
}

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
