#pragma once

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QRect>

#include <gif_lib.h>

#include <algorithm>
#include <vector>

// Reading animations back, both the way giflib stores them and the way Qt shows them.

struct StoredFrame {
    QRect rect;
    int delay = 0; // centiseconds
};

// Each frame's rectangle and delay, as giflib reads them; empty when the file is no GIF.
inline std::vector<StoredFrame> StoredFrames(const QByteArray& bytes) {
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
    std::vector<StoredFrame> frames;
    if (!gif)
        return frames;
    if (DGifSlurp(gif) == GIF_OK)
        for (int i = 0; i < gif->ImageCount; ++i) {
            const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            frames.push_back(
                {QRect(desc.Left, desc.Top, desc.Width, desc.Height), control.DelayTime});
        }
    DGifCloseFile(gif, &error);
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
