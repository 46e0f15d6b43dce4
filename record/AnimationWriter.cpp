#include "record/AnimationWriter.h"

#include <cstring>
#include <new>

template <typename Step> bool AnimationWriter::guarded(Step step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return fail(Failure::outOfMemory());
    }
}

bool AnimationWriter::open(QIODevice& out, QSize screen) {
    screen_ = screen;
    return guarded([&] { return openAnimation(out); });
}

bool AnimationWriter::addFrame(const QImage& picture, std::int64_t startNs) {
    if (hasFailed())
        return false;
    return guarded([&] {
        // The caller's picture, or its conversion, may be what memory could not hold.
        const QImage frame = picture.convertToFormat(QImage::Format_RGB32);
        if (frame.isNull())
            return fail(Failure::outOfMemory());
        if (frame.size() != screen_)
            return fail(QStringLiteral("a %1x%2 picture does not fit the %3x%4 screen")
                            .arg(frame.width())
                            .arg(frame.height())
                            .arg(screen_.width())
                            .arg(screen_.height()));
        return addPicture(frame, startNs);
    });
}

bool AnimationWriter::finish(std::int64_t endNs) {
    if (hasFailed())
        return false;
    return guarded([&] { return finishAnimation(endNs); });
}

QString AnimationWriter::errorString() const {
    if (!failure_)
        return {};
    if (failure_->kind == Failure::Kind::OutOfMemory)
        return QStringLiteral("out of memory");
    return QString::fromStdString(failure_->reason);
}

bool AnimationWriter::fail(Failure failure) {
    if (!failure_)
        failure_ = std::move(failure);
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
