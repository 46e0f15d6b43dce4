#include "window/Icon.h"

#include "canvas/Palette.h"
#include "canvas/RasterCanvas.h"
#include "canvas/Twips.h"
#include "game/NoControls.h"
#include "pacing/Timeline.h"
#include "scene/Beast.h"
#include "stage/RandomSource.h"
#include "stage/Stage.h"
#include "window/CoreToQt.h"

#include <cmath>

namespace {

// Below this size the eye is painted larger, so that the icon still reads as a face.
constexpr int SmallIcon = 48;

} // namespace

QImage paintIcon(int size) {
    // The beast's head as the game paints it (the body at full size, the eye and the brow),
    // without the spikes and the tail, which run far off any square around it. Nothing in it is
    // drawn at random, paced or captioned.
    RasterCanvas canvas(PixelSize{560, 480});
    RandomSource random;
    Timeline timeline;
    NoControls label;
    Stage stage{canvas, random, timeline, label};
    drawBody(stage, BodyRadius);
    // A small icon gets an eye twice the size, with the brow raised to clear it.
    const bool small = size < SmallIcon;
    const std::int16_t eyeRadius = small ? 2 * EyeRadius : EyeRadius;
    const std::int16_t browLift = eyeRadius - EyeRadius;
    drawEye(stage, EyeX, EyeY, eyeRadius);
    drawBrow(stage, BrowX1, static_cast<std::int16_t>(BrowY1 - browLift), BrowX2,
             static_cast<std::int16_t>(BrowY2 - browLift));

    // A square about the body's centre, the body's width and a margin across.
    const int margin = small ? 8 : 20;
    const int side = static_cast<int>(std::lround(2 * BodyRadius / TwipsPerPixel)) + 2 * margin;
    const QPoint centre(static_cast<int>(BodyX / TwipsPerPixel),
                        static_cast<int>(BodyY / TwipsPerPixel));
    const QRect square(centre - QPoint(side / 2, side / 2), QSize(side, side));
    QImage icon = wrappedImage(canvas.pixels()).copy(square).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = toQColor(Palette::Background).rgb();
    for (int y = 0; y < icon.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (row[x] == background)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
