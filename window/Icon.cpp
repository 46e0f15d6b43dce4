#include "window/Icon.h"

#include "canvas/Palette.h"
#include "canvas/RasterCanvas.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "scene/Beast.h"

QImage paintIcon(int size) {
    // The whole beast fits in 480 x 420 logical pixels; the icon keeps all but the far left, on
    // a transparent background so that it sits well on any panel.
    RasterCanvas canvas(QSize(480, 420));
    NoControls controls;
    Session session(canvas, controls, 1);
    RedrawBeast(session.stage());

    const QRect face(60, 0, 420, 420);
    QImage icon = canvas.image().copy(face).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = RasterCanvas::toQColor(Palette::Background).rgb();
    for (int y = 0; y < icon.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (row[x] == background)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
