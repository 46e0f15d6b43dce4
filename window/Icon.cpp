#include "window/Icon.h"

#include "canvas/Palette.h"
#include "canvas/Twips.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "scene/Beast.h"
#include "window/RasterCanvas.h"

#include <cmath>

namespace {

// Below this size the eye is painted larger, so that the icon still reads as a face.
constexpr int SmallIcon = 48;

} // namespace

QImage paintIcon(int size) {
    // The beast's head as the game paints it (the body at full size, the eye and the brow),
    // without the spikes and the tail, which run far off any square around it.
    RasterCanvas canvas(QSize(560, 480));
    NoControls controls;
    Session session(canvas, controls, 1);
    Stage& stage = session.stage();
    std::int16_t radius = 2999;
    drawBody(stage, radius);
    const bool small = size < SmallIcon;
    const std::int16_t eyeX = 5500, eyeY = 3000, eyeR = small ? 1000 : 500;
    drawEye(stage, eyeX, eyeY, eyeR);
    const std::int16_t browX1 = 5450, browY1 = small ? 1900 : 2400, browX2 = 6500,
                       browY2 = small ? 2700 : 3200;
    drawBrow(stage, browX1, browY1, browX2, browY2);

    // A square about the body's centre, the body's width and a margin across.
    const int margin = small ? 8 : 20;
    const int side = static_cast<int>(std::lround(2 * 2999 / TwipsPerPixel)) + 2 * margin;
    const QPoint centre(static_cast<int>(BodyX / TwipsPerPixel),
                        static_cast<int>(BodyY / TwipsPerPixel));
    const QRect square(centre - QPoint(side / 2, side / 2), QSize(side, side));
    QImage icon = canvas.image().copy(square).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = toQColor(Palette::Background).rgb();
    for (int y = 0; y < icon.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (row[x] == background)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
