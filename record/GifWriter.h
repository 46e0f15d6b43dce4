#pragma once

#include "record/AnimationWriter.h"

#include "record/GifPalette.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;
struct GifFileType;

// Writes a looping animated GIF as the pictures arrive. Each picture is stored as the rectangle
// that differs from the one before, where the pixels that keep their colour may be transparent
// (whichever compresses smaller); an identical picture only lengthens the one before. A
// picture's delay is the time until the next one, rounded so that the delays add up to the
// whole.
class GifWriter : public AnimationWriter {
  protected:
    bool openAnimation(QIODevice& out) override;
    bool addPicture(const QImage& frame, std::int64_t startNs) override;
    bool finishAnimation(std::int64_t endNs) override;

  private:
    struct Pending {
        QRect rect;
        std::vector<std::uint8_t> opaque;     // every pixel's own colour
        std::vector<std::uint8_t> seeThrough; // the same with kept pixels transparent
        bool keepsAny = false;
        std::int64_t startNs = 0;
    };
    bool writePending(std::int64_t endNs);
    // Into encoded_. giflib masks the indices in place, which changes none of 256 colours.
    bool encodeFrame(const QRect& rect, std::uint8_t* indices, bool transparent, int delay);
    bool send(const QByteArray& bytes);

    // giflib's encoder, closed with whatever it still holds.
    struct CloseGif {
        void operator()(GifFileType* gif) const;
    };

    QIODevice* out_ = nullptr;
    std::unique_ptr<GifFileType, CloseGif> gif_;
    QByteArray encoded_; // what giflib wrote since it was last taken
    GifPalette palette_;
    QImage previous_;                 // our own copy of the last picture
    std::vector<std::uint8_t> shown_; // each screen pixel's index once the pending frame shows
    Pending pending_;
    bool hasPending_ = false;
};
