#pragma once

#include "record/AnimationWriter.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;
struct WebPMux;
struct WebPConfig;

// Writes a looping, lossless animated WebP: every frame is exactly the picture given, in full
// colour. Each picture is stored as the rectangle that differs from the one before, blended
// onto it with the pixels that keep their colour transparent, or whole where that is smaller;
// an identical picture only lengthens the one before. Frame times are whole milliseconds,
// rounded from the start so that the durations add up to the whole. The frames are kept in
// memory until finish() writes the animation out; the latest picture counts as written once its
// end is settled.
//
// libwebp's own animation encoder (WebPAnimEncoder) makes the same frames, but searches for
// the changed rectangle from the edges of the whole screen, column by column, several times a
// frame: three to six times slower on the game's tour, for about the same size.
class WebpWriter : public AnimationWriter {
  protected:
    bool openAnimation(QIODevice& out) override;
    bool addPicture(const QImage& frame, std::int64_t startNs) override;
    // Writes the whole animation: until then the frames are kept in memory.
    bool finishAnimation(std::int64_t endNs) override;

  private:
    // Encodes the pending picture and holds it: its end is certain only once the next picture
    // is known to last a millisecond, or at the finish.
    bool writePending();
    bool pushHeld(std::int64_t endMs);
    // The pending picture's pixels in the rectangle, into pixels_; with blend, those that keep
    // their colour transparent. Whether any did.
    bool fillPixels(const QRect& rect, bool blend);
    bool encodePixels(QSize size, const WebPConfig& config, QByteArray& into);
    bool push(const QByteArray& frame, const QRect& rect, bool blend, int durationMs);

    struct DeleteMux {
        void operator()(WebPMux* mux) const;
    };

    QIODevice* out_ = nullptr;
    std::unique_ptr<WebPMux, DeleteMux> mux_;
    // Two pictures of our own, kept from one frame to the next: fresh memory for each picture
    // costs more than copying it.
    QImage shown_;   // what the animation shows once its last frame is drawn
    QImage pending_; // the latest picture, held until it is known to last a millisecond
    bool hasShown_ = false;
    bool hasPending_ = false;
    std::int64_t pendingMs_ = 0;
    std::vector<std::uint32_t> pixels_; // the rectangle being encoded
    struct Held {
        QByteArray frame;
        QRect rect;
        bool blend = false;
        std::int64_t startMs = 0;
    } held_; // the frame that shows shown_
};
