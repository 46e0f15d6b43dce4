#pragma once

#include "canvas/RasterCanvas.h"
#include "window/FramePacer.h"

#include <QWidget>

// Shows the raster canvas: the picture lives in the canvas's kept image, and the view only
// copies the part that changed to the screen. It follows the window's size and pixel ratio and
// takes no input of its own: clicks fall through to the window underneath.
class CanvasView : public QWidget, public FramePacer::Presenter {
    Q_OBJECT

  public:
    explicit CanvasView(QSize clientSize, QWidget* parent = nullptr);

    RasterCanvas& canvas() { return canvas_; }
    const RasterCanvas& canvas() const { return canvas_; }

    bool hasDirty() const override { return canvas_.hasDirty(); }
    // Copies what was painted since the last time to the screen, at once.
    void present() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    RasterCanvas canvas_;
};
