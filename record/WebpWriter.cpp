#include "record/WebpWriter.h"

#include <QIODevice>

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>

namespace {

// Milliseconds since the start, rounded; differences of these add up to the rounded whole.
std::int64_t milliseconds(std::int64_t ns) {
    return (ns + 500'000) / 1'000'000;
}

bool samePicture(const QImage& a, const QImage& b) {
    const std::size_t rowBytes = static_cast<std::size_t>(a.width()) * sizeof(QRgb);
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), rowBytes) != 0)
            return false;
    return true;
}

} // namespace

WebpWriter::~WebpWriter() {
    WebPAnimEncoderDelete(encoder_);
}

bool WebpWriter::failed(const QString& message) {
    if (error_.isEmpty())
        error_ = message;
    WebPAnimEncoderDelete(encoder_);
    encoder_ = nullptr;
    return false;
}

bool WebpWriter::open(QIODevice& out, QSize screen) {
    out_ = &out;
    screen_ = screen;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return failed(
            QStringLiteral("this libwebp does not match the one the game was built with"));
    options.anim_params.loop_count = 0; // forever
    options.allow_mixed = 0;            // lossless only
    // Each frame tried with and without blending onto the one before, the smaller kept; no
    // key frames, which only a player seeking in the animation would need.
    options.minimize_size = 1;
    options.kmin = options.kmax = 0;
    encoder_ = WebPAnimEncoderNew(screen.width(), screen.height(), &options);
    given_ = QImage(screen, QImage::Format_RGB32);
    pending_ = QImage(screen, QImage::Format_RGB32);
    if (!encoder_ || given_.isNull() || pending_.isNull())
        return failed(QStringLiteral("cannot start the WebP animation: out of memory"));
    hasGiven_ = hasPending_ = false;
    return true;
}

bool WebpWriter::givePending() {
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return failed(
            QStringLiteral("this libwebp does not match the one the game was built with"));
    // Lossless, with effort 100 at method 3: method 4 saves under 1% more and takes half as
    // long again.
    config.lossless = 1;
    config.method = 3;
    config.quality = 100;
    // libwebp takes a copy of the picture's pixels; QImage's RGB32 is its ARGB order.
    picture.use_argb = 1;
    picture.width = screen_.width();
    picture.height = screen_.height();
    picture.argb = reinterpret_cast<std::uint32_t*>(pending_.bits());
    picture.argb_stride = static_cast<int>(pending_.bytesPerLine() / sizeof(QRgb));
    const bool added =
        WebPAnimEncoderAdd(encoder_, &picture, static_cast<int>(pendingMs_), &config);
    WebPPictureFree(&picture);
    if (!added)
        return failed(QStringLiteral("cannot add a WebP frame: %1")
                          .arg(QLatin1String(WebPAnimEncoderGetError(encoder_))));
    ++written_;
    std::swap(given_, pending_);
    hasGiven_ = true;
    hasPending_ = false;
    return true;
}

bool WebpWriter::addFrame(const QImage& picture, std::int64_t startNs) {
    if (!encoder_)
        return false;
    const QImage frame = picture.convertToFormat(QImage::Format_RGB32);
    if (frame.size() != screen_)
        return failed(QStringLiteral("a %1x%2 picture does not fit the %3x%4 screen")
                          .arg(frame.width())
                          .arg(frame.height())
                          .arg(screen_.width())
                          .arg(screen_.height()));
    if (hasPending_ ? samePicture(frame, pending_) : hasGiven_ && samePicture(frame, given_))
        return true;
    const std::int64_t ms = milliseconds(startNs);
    if (hasPending_) {
        if (ms > pendingMs_) {
            if (!givePending())
                return false;
        } else {
            // Shown for no whole millisecond: never seen.
            hasPending_ = false;
            if (hasGiven_ && samePicture(frame, given_))
                return true;
        }
    }
    // Opaque whatever the unused alpha byte says.
    for (int y = 0; y < screen_.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(pending_.scanLine(y));
        for (int x = 0; x < screen_.width(); ++x)
            to[x] = from[x] | 0xff000000u;
    }
    hasPending_ = true;
    pendingMs_ = ms;
    return true;
}

bool WebpWriter::finish(std::int64_t endNs) {
    if (!encoder_)
        return false;
    const std::int64_t endMs = milliseconds(endNs);
    if (hasPending_ && (endMs > pendingMs_ || !hasGiven_) && !givePending())
        return false;
    if (!hasGiven_)
        return failed(QStringLiteral("cannot write a WebP animation without pictures"));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(encoder_, nullptr, static_cast<int>(endMs), nullptr) ||
        !WebPAnimEncoderAssemble(encoder_, &data)) {
        WebPDataClear(&data);
        return failed(QStringLiteral("cannot finish the WebP animation: %1")
                          .arg(QLatin1String(WebPAnimEncoderGetError(encoder_))));
    }
    const qint64 size = static_cast<qint64>(data.size);
    const bool wrote = out_->write(reinterpret_cast<const char*>(data.bytes), size) == size;
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder_);
    encoder_ = nullptr;
    if (!wrote)
        return failed(QStringLiteral("cannot write the WebP animation"));
    return true;
}
