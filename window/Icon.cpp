#include "window/Icon.h"

#include "canvas/RasterCanvas.h"
#include "scene/Beast.h"
#include "stage/Stage.h"
#include "window/SilentView.h"

namespace {

class NoControls : public GameView {
  public:
    void SetCaption(const std::string&) override {}
    void SetLabelVisible(bool) override {}
    void SetButtonVisible(Button, bool) override {}
};

} // namespace

QImage PaintIcon(int size) {
    // The whole beast fits in 480 x 420 logical pixels; the icon keeps all but the far left, on
    // a transparent background so that it sits well on any panel.
    RasterCanvas canvas(QSize(480, 420));
    Timeline timeline;
    RandomSource random(1, [] { return std::uint64_t{0}; });
    SilentView view;
    Stage stage{canvas, random, timeline, view};
    RedrawBeast(stage);

    const QRect face(60, 0, 420, 420);
    QImage icon = canvas.Image().copy(face).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = RasterCanvas::ToQColor(RasterCanvas::Background).rgb();
    for (int y = 0; y < icon.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (row[x] == background)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
