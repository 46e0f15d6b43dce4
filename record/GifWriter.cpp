#include "record/GifWriter.h"

#include <QIODevice>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Centiseconds since the start, rounded; differences of these add up to the rounded whole.
int centiseconds(std::int64_t ns) {
    return static_cast<int>((ns + 5'000'000) / 10'000'000);
}

// giflib's output goes to a buffer first, so that a frame can be encoded two ways and the
// smaller kept. No exception may pass through giflib: a buffer that cannot grow takes nothing,
// which giflib reports as a failed write.
int appendEncoded(GifFileType* gif, const GifByteType* bytes, int length) {
    try {
        static_cast<QByteArray*>(gif->UserData)
            ->append(reinterpret_cast<const char*>(bytes), length);
        return length;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

// giflib writes only into memory here: a failed write is a buffer that could not grow.
Failure giflibError(const char* what, int code) {
    if (code == E_GIF_ERR_NOT_ENOUGH_MEM || code == E_GIF_ERR_WRITE_FAILED)
        return Failure::outOfMemory();
    return Failure::cannotWrite({}, std::string(what) + ": " + GifErrorString(code));
}

} // namespace

void GifWriter::CloseGif::operator()(GifFileType* gif) const {
    EGifCloseFile(gif, nullptr);
}

bool GifWriter::send(const QByteArray& bytes) {
    if (out_->write(bytes) == bytes.size())
        return true;
    return fail(QStringLiteral("cannot write the GIF: %1")
                    .arg(QLatin1String(GifErrorString(E_GIF_ERR_WRITE_FAILED))));
}

bool GifWriter::openAnimation(QIODevice& out) {
    out_ = &out;
    const QSize size = screen();
    int code = 0;
    gif_.reset(EGifOpen(&encoded_, appendEncoded, &code));
    if (!gif_)
        return fail(giflibError("cannot start the GIF", code));
    EGifSetGifVersion(gif_.get(), true);

    GifColorType colours[256];
    const auto& palette = GifPalette::Colours();
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {static_cast<GifByteType>(qRed(palette[i])),
                      static_cast<GifByteType>(qGreen(palette[i])),
                      static_cast<GifByteType>(qBlue(palette[i]))};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    const int written = EGifPutScreenDesc(gif_.get(), size.width(), size.height(), 8, 0, map);
    GifFreeMapObject(map);
    if (written != GIF_OK)
        return fail(giflibError("cannot write the GIF header", gif_->Error));

    // Loop forever: the NETSCAPE2.0 application extension with a repeat count of 0.
    static const char application[] = "NETSCAPE2.0";
    static const GifByteType endless[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_.get(), APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_.get(), 11, application) != GIF_OK ||
        EGifPutExtensionBlock(gif_.get(), 3, endless) != GIF_OK ||
        EGifPutExtensionTrailer(gif_.get()) != GIF_OK)
        return fail(giflibError("cannot write the GIF header", gif_->Error));
    if (!send(std::exchange(encoded_, {})))
        return false;
    previous_ = QImage();
    shown_.assign(static_cast<std::size_t>(size.width()) * size.height(), 0);
    return true;
}

bool GifWriter::addPicture(const QImage& frame, std::int64_t startNs) {
    if (!gif_)
        return false;
    const bool first = previous_.isNull();
    const QRect rect = first ? frame.rect() : changedRect(previous_, frame);
    if (rect.isEmpty())
        return true;
    if (hasPending_ && !writePending(startNs))
        return false;
    // A copy of our own: sharing the caller's picture would make it copy all of it when it
    // paints the next one.
    if (first) {
        previous_ = frame.copy();
        if (previous_.isNull())
            return fail(Failure::outOfMemory());
    }

    pending_.rect = rect;
    pending_.startNs = startNs;
    pending_.keepsAny = false;
    const std::size_t area = static_cast<std::size_t>(rect.width()) * rect.height();
    pending_.opaque.resize(area);
    pending_.seeThrough.resize(area);
    std::uint8_t* opaque = pending_.opaque.data();
    std::uint8_t* seeThrough = pending_.seeThrough.data();
    // Runs of one colour are the rule, so the last lookup is kept at hand.
    QRgb last = frame.pixel(rect.topLeft());
    std::uint8_t lastIndex = palette_.Nearest(last);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* before = reinterpret_cast<QRgb*>(previous_.scanLine(y));
        std::uint8_t* shown = shown_.data() + static_cast<std::size_t>(y) * frame.width();
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (row[x] != last) {
                last = row[x];
                lastIndex = palette_.Nearest(last);
            }
            // Two colours close enough to share an index count as kept as well.
            const bool kept = !first && shown[x] == lastIndex;
            pending_.keepsAny |= kept;
            *opaque++ = lastIndex;
            *seeThrough++ = kept ? GifPalette::Transparent : lastIndex;
            shown[x] = lastIndex;
            before[x] = row[x];
        }
    }
    hasPending_ = true;
    return true;
}

bool GifWriter::writePending(std::int64_t endNs) {
    int delay = std::max(0, centiseconds(endNs) - centiseconds(pending_.startNs));
    // Longer than one frame's delay can say: one see-through pixel for the rest.
    const int longest = std::numeric_limits<std::uint16_t>::max();
    if (!encodeFrame(pending_.rect, pending_.opaque.data(), false, std::min(delay, longest)))
        return false;
    // Kept pixels usually make long runs of the see-through index, but where little is kept
    // they only break up the runs of real colours: the smaller of the two is stored.
    if (pending_.keepsAny) {
        QByteArray opaque = std::exchange(encoded_, {});
        if (!encodeFrame(pending_.rect, pending_.seeThrough.data(), true, std::min(delay, longest)))
            return false;
        if (opaque.size() <= encoded_.size())
            encoded_ = std::move(opaque);
    }
    if (!send(std::exchange(encoded_, {})))
        return false;
    countFrame();
    std::uint8_t nothing = GifPalette::Transparent;
    const QRect corner(pending_.rect.topLeft(), QSize(1, 1));
    for (delay -= longest; delay > 0; delay -= longest) {
        if (!encodeFrame(corner, &nothing, true, std::min(delay, longest)) ||
            !send(std::exchange(encoded_, {})))
            return false;
        countFrame();
    }
    hasPending_ = false;
    return true;
}

bool GifWriter::encodeFrame(const QRect& rect, std::uint8_t* indices, bool transparent, int delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = transparent ? GifPalette::Transparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
        EGifPutImageDesc(gif_.get(), rect.x(), rect.y(), rect.width(), rect.height(), false,
                         nullptr) != GIF_OK ||
        EGifPutLine(gif_.get(), indices, rect.width() * rect.height()) != GIF_OK)
        return fail(giflibError("cannot write a GIF frame", gif_->Error));
    return true;
}

bool GifWriter::finishAnimation(std::int64_t endNs) {
    if (!gif_)
        return false;
    const bool wrote = !hasFailed() && (!hasPending_ || writePending(endNs));
    int code = 0;
    const bool closed = EGifCloseFile(gif_.release(), &code) == GIF_OK;
    if (wrote && !closed)
        return fail(giflibError("cannot finish the GIF", code));
    return wrote && send(std::exchange(encoded_, {}));
}
