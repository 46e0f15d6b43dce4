#include "record/WebpWriter.h"

#include <QIODevice>

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstring>

namespace {

// The longest a frame can last: its duration has 24 bits.
constexpr int LongestMs = (1 << 24) - 1;

// Milliseconds since the start, rounded; differences of these add up to the rounded whole.
std::int64_t milliseconds(std::int64_t ns) {
    return (ns + 500'000) / 1'000'000;
}

// Alike whatever the unused alpha bytes say.
bool samePicture(const QImage& a, const QImage& b) {
    const int width = a.width();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(p, q, rowBytes) != 0)
            for (int x = 0; x < width; ++x)
                if ((p[x] ^ q[x]) & 0x00ffffffu)
                    return false;
    }
    return true;
}

// Lossless; the effort was chosen on the game's tour, where method 4 and up or more quality
// save under 1% and take up to twice as long. The transparent pixels of a blended frame may
// take any colour that compresses well.
WebPConfig frameConfig(int method, float quality) {
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    config.method = method;
    config.quality = quality;
    config.exact = 0;
    return config;
}

Failure encodingError(int code) {
    if (code == VP8_ENC_ERROR_OUT_OF_MEMORY)
        return Failure::outOfMemory();
    return Failure::cannotWrite({}, "cannot encode a WebP frame: libwebp error " +
                                        std::to_string(code));
}

} // namespace

void WebpWriter::DeleteMux::operator()(WebPMux* mux) const {
    WebPMuxDelete(mux);
}

bool WebpWriter::openAnimation(QIODevice& out) {
    out_ = &out;
    mux_.reset(WebPMuxNew());
    shown_ = QImage(screen(), QImage::Format_RGB32);
    pending_ = QImage(screen(), QImage::Format_RGB32);
    pixels_.resize(static_cast<std::size_t>(screen().width()) * screen().height());
    if (!mux_ || shown_.isNull() || pending_.isNull())
        return fail(Failure::outOfMemory());
    hasShown_ = hasPending_ = false;
    return true;
}

bool WebpWriter::addPicture(const QImage& frame, std::int64_t startNs) {
    if (!mux_)
        return false;
    if (hasPending_ ? samePicture(frame, pending_) : hasShown_ && samePicture(frame, shown_))
        return true;
    const std::int64_t ms = milliseconds(startNs);
    if (hasPending_) {
        if (ms > pendingMs_) {
            if (!writePending())
                return false;
        } else {
            // Shown for no whole millisecond: never seen.
            hasPending_ = false;
            if (hasShown_ && samePicture(frame, shown_))
                return true;
        }
    }
    // Opaque whatever the unused alpha byte says.
    for (int y = 0; y < frame.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(pending_.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            to[x] = from[x] | 0xff000000u;
    }
    hasPending_ = true;
    pendingMs_ = ms;
    return true;
}

bool WebpWriter::fillPixels(const QRect& rect, bool blend) {
    bool keepsAny = false;
    std::uint32_t* pixel = pixels_.data();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(pending_.constScanLine(y));
        const auto* before = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const bool kept = blend && now[x] == before[x];
            keepsAny |= kept;
            *pixel++ = kept ? 0u : now[x];
        }
    }
    return keepsAny;
}

bool WebpWriter::encodePixels(QSize size, const WebPConfig& config, QByteArray& into) {
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.use_argb = 1;
    picture.width = size.width();
    picture.height = size.height();
    picture.argb = pixels_.data();
    picture.argb_stride = size.width();
    WebPMemoryWriter memory;
    WebPMemoryWriterInit(&memory);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &memory;
    const bool encoded = WebPEncode(&config, &picture);
    if (encoded)
        into = QByteArray(reinterpret_cast<const char*>(memory.mem),
                          static_cast<qsizetype>(memory.size));
    WebPMemoryWriterClear(&memory);
    WebPPictureFree(&picture);
    if (!encoded)
        return fail(encodingError(picture.error_code));
    return true;
}

bool WebpWriter::push(const QByteArray& frame, const QRect& rect, bool blend, int durationMs) {
    WebPMuxFrameInfo info{};
    info.bitstream.bytes = reinterpret_cast<const std::uint8_t*>(frame.constData());
    info.bitstream.size = static_cast<std::size_t>(frame.size());
    info.x_offset = rect.x();
    info.y_offset = rect.y();
    info.duration = durationMs;
    info.id = WEBP_CHUNK_ANMF;
    info.dispose_method = WEBP_MUX_DISPOSE_NONE;
    info.blend_method = blend ? WEBP_MUX_BLEND : WEBP_MUX_NO_BLEND;
    if (WebPMuxPushFrame(mux_.get(), &info, 1) != WEBP_MUX_OK)
        return fail(Failure::outOfMemory());
    countFrame();
    return true;
}

bool WebpWriter::pushHeld(std::int64_t endMs) {
    std::int64_t durationMs = endMs - held_.startMs;
    if (!push(held_.frame, held_.rect, held_.blend,
              static_cast<int>(std::min<std::int64_t>(durationMs, LongestMs))))
        return false;
    // Longer than one frame can last: a transparent pixel for the rest.
    QByteArray nothing;
    pixels_[0] = 0;
    for (durationMs -= LongestMs; durationMs > 0; durationMs -= LongestMs)
        if ((nothing.isEmpty() && !encodePixels(QSize(1, 1), frameConfig(0, 0), nothing)) ||
            !push(nothing, QRect(0, 0, 1, 1), true,
                  static_cast<int>(std::min<std::int64_t>(durationMs, LongestMs))))
            return false;
    return true;
}

bool WebpWriter::writePending() {
    QRect rect = hasShown_ ? changedRect(shown_, pending_) : pending_.rect();
    // Frames start at even offsets only.
    rect.setLeft(rect.left() & ~1);
    rect.setTop(rect.top() & ~1);
    // Blending is the rule, with most of a rectangle kept. Where much of it changes, the whole
    // rectangle can be smaller: a quick encoding of it says so often enough, at a fraction of
    // the time a careful one takes.
    static const WebPConfig careful = frameConfig(3, 50);
    static const WebPConfig quick = frameConfig(1, 25);
    QByteArray frame;
    bool blend = fillPixels(rect, hasShown_);
    if (!encodePixels(rect.size(), careful, frame))
        return false;
    if (blend) {
        QByteArray whole;
        fillPixels(rect, false);
        if (!encodePixels(rect.size(), quick, whole))
            return false;
        if (whole.size() < frame.size()) {
            frame = whole;
            blend = false;
        }
    }
    // The frame before lasts until this one starts, which is certain now.
    if (hasShown_ && !pushHeld(pendingMs_))
        return false;
    held_ = {frame, rect, blend, pendingMs_};
    std::swap(shown_, pending_);
    hasShown_ = true;
    hasPending_ = false;
    return true;
}

bool WebpWriter::finishAnimation(std::int64_t endNs) {
    if (!mux_)
        return false;
    const std::int64_t endMs = milliseconds(endNs);
    if (hasPending_ && (endMs > pendingMs_ || !hasShown_) && !writePending())
        return false;
    if (!hasShown_)
        return fail(QStringLiteral("cannot write a WebP animation without pictures"));
    if (!pushHeld(endMs))
        return false;
    WebPMuxAnimParams animation{};
    animation.bgcolor = 0xffffffffu;
    animation.loop_count = 0; // forever
    WebPData data;
    WebPDataInit(&data);
    if (WebPMuxSetAnimationParams(mux_.get(), &animation) != WEBP_MUX_OK ||
        WebPMuxSetCanvasSize(mux_.get(), screen().width(), screen().height()) != WEBP_MUX_OK ||
        WebPMuxAssemble(mux_.get(), &data) != WEBP_MUX_OK) {
        WebPDataClear(&data);
        return fail(Failure::outOfMemory());
    }
    const qint64 size = static_cast<qint64>(data.size);
    const bool wrote = out_->write(reinterpret_cast<const char*>(data.bytes), size) == size;
    WebPDataClear(&data);
    mux_.reset();
    if (!wrote)
        return fail(QStringLiteral("cannot write the WebP animation"));
    return true;
}
