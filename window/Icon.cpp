#include "window/Icon.h"

#include "game/IconPicture.h"

QImage iconImage(int size) {
    // Qt scales the core's square as the desktop icons always were: area sampling below half
    // size, bilinear above. The core's own paintIcon() averages areas at every size, close to
    // but not pixel for pixel the same.
    const PixelBuffer square = paintIconSquare(size);
    // A copy, as at the square's own size Qt hands back the image itself.
    const QImage image = QImage(reinterpret_cast<const uchar*>(square.data()), square.width(),
                                square.height(), square.stride(), QImage::Format_ARGB32)
                             .copy();
    return image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
