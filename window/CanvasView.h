#pragma once

#include "canvas/RasterCanvas.h"
#include "qt/CoreToQt.h"

#include <QTimer>
#include <QWidget>

// Shows the game's raster canvas: the picture lives in the canvas's kept image, and the view only
// copies the part that changed to the screen. The picture may be zoomed and placed anywhere in
// the view, with plain dark bars around it. The view takes no input of its own: clicks fall
// through to the window underneath.
class CanvasView : public QWidget {
    Q_OBJECT

  public:
    explicit CanvasView(RasterCanvas& canvas, QWidget* parent = nullptr);

    // The painters see clientSize logical pixels from the next primitive on; the view shows
    // them zoomed, with the picture's top-left corner at `at`. A new zoom is rebuilt sharp once
    // it has settled (no further change for a moment); until then the picture is stretched.
    void showPicture(QSize clientSize, qreal zoom, QPoint at);
    // The painters see another picture now (a new view): rather than rebuilt from what was
    // painted, it must be painted again. Asked for with sceneStale() once the geometry has
    // settled, and again until sceneHandedOver() says the game will do it.
    void markSceneStale();
    void sceneHandedOver();
    // How long a new zoom must hold before the picture is rebuilt; 0 rebuilds at once.
    void setSettleDelay(int ms) { settle_.setInterval(ms); }
    // Where the picture lies in the view.
    QRect pictureRect() const;

    // Device pixels of the picture per logical pixel, at the view's zoom on its screen.
    qreal wantedScale() const { return zoom_ * devicePixelRatioF(); }
    // Copies these device pixels of the picture to the screen, at once.
    void present(PixelRect dirty);

  signals:
    void sceneStale();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void settle();

    RasterCanvas& canvas_;
    qreal zoom_ = 1.0;
    QPoint at_;
    QTimer settle_;
    bool sceneStale_ = false;
};
