#pragma once

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QRect>

#include "record/GifPalette.h"

#include <gif_lib.h>

#include <algorithm>
#include <functional>
#include <vector>

// Reading animations back, both the way giflib stores them and the way Qt shows them.

struct StoredFrame {
    QRect rect;
    int delay = 0;                          // centiseconds
    int transparent = NO_TRANSPARENT_COLOR; // the index that keeps the pixel below
};

// Hands each frame as giflib reads it to `frame`, with the screen once that frame is drawn,
// composed by hand: a transparent index keeps the pixel below and no frame is ever taken off
// again. False when the file is no GIF.
inline bool ReadGif(const QByteArray& bytes,
                    const std::function<void(const StoredFrame&, const QImage&)>& frame) {
    struct Source {
        const QByteArray& bytes;
        int at = 0;
    } source{bytes};
    auto input = [](GifFileType* gif, GifByteType* into, int length) {
        auto* from = static_cast<Source*>(gif->UserData);
        const int count = std::min<int>(length, static_cast<int>(from->bytes.size()) - from->at);
        std::copy_n(from->bytes.constData() + from->at, count, into);
        from->at += count;
        return count;
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, input, &error);
    if (!gif)
        return false;
    const bool read = DGifSlurp(gif) == GIF_OK;
    QImage screen(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    screen.fill(Qt::black);
    for (int i = 0; read && i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        for (int y = 0; y < desc.Height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(screen.scanLine(desc.Top + y)) + desc.Left;
            for (int x = 0; x < desc.Width; ++x) {
                const int index = image.RasterBits[y * desc.Width + x];
                if (index == control.TransparentColor)
                    continue;
                const GifColorType& c = map->Colors[index];
                row[x] = qRgb(c.Red, c.Green, c.Blue);
            }
        }
        frame({QRect(desc.Left, desc.Top, desc.Width, desc.Height), control.DelayTime,
               control.TransparentColor},
              screen);
    }
    DGifCloseFile(gif, &error);
    return read;
}

// Each frame's rectangle, delay and transparent index; empty when the file is no GIF.
inline std::vector<StoredFrame> StoredFrames(const QByteArray& bytes) {
    std::vector<StoredFrame> frames;
    ReadGif(bytes, [&](const StoredFrame& stored, const QImage&) { frames.push_back(stored); });
    return frames;
}

// Every frame composed onto the screen by hand, as giflib stores it.
inline QList<QImage> ComposedFrames(const QByteArray& bytes) {
    QList<QImage> frames;
    ReadGif(bytes, [&](const StoredFrame&, const QImage& screen) { frames << screen.copy(); });
    return frames;
}

// Every frame composed onto the screen, as Qt shows it.
inline QList<QImage> ShownFrames(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames << frame.convertToFormat(QImage::Format_RGB32);
    return frames;
}

// Every pixel as the GIF's palette has it.
inline QImage throughPalette(const QImage& image) {
    QImage mapped = image.convertToFormat(QImage::Format_RGB32);
    GifPalette palette;
    for (int y = 0; y < mapped.height(); ++y)
        for (int x = 0; x < mapped.width(); ++x)
            mapped.setPixel(x, y, GifPalette::Colours()[palette.Nearest(mapped.pixel(x, y))]);
    return mapped;
}
