#include "window/CanvasView.h"

#include "game/Layout.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

CanvasView::CanvasView(RasterCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(toQSize(canvas.clientSize()));
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(&settle_, &QTimer::timeout, this, &CanvasView::settle);
}

void CanvasView::showPicture(QSize clientSize, qreal zoom, QPoint at) {
    const bool moved = zoom != zoom_ || at != at_;
    zoom_ = zoom;
    at_ = at;
    // The painters follow the new size at once; the scale follows when it has settled.
    canvas_.resize(toPixelSize(clientSize), canvas_.scale());
    if (sceneStale_)
        settle_.start();
    else if (wantedScale() != canvas_.scale()) {
        if (settle_.interval() == 0)
            settle();
        else
            settle_.start();
    }
    if (moved)
        update();
}

QRect CanvasView::pictureRect() const {
    const QSize client = toQSize(canvas_.clientSize());
    return QRect(at_, QSize(static_cast<int>(std::lround(client.width() * zoom_)),
                            static_cast<int>(std::lround(client.height() * zoom_))));
}

void CanvasView::markSceneStale() {
    sceneStale_ = true;
    // Even without a delay the repaint waits for the events under way: leaving fullscreen
    // resizes the window only after the view has changed.
    settle_.start();
}

void CanvasView::sceneHandedOver() {
    sceneStale_ = false;
    settle_.stop();
}

void CanvasView::settle() {
    if (sceneStale_) {
        emit sceneStale();
        return;
    }
    if (wantedScale() == canvas_.scale())
        return;
    canvas_.resize(canvas_.clientSize(), wantedScale());
    canvas_.takeDirty();
    update();
}

void CanvasView::present(PixelRect painted) {
    const QRect dirty = toQRect(painted);
    if (dirty.isEmpty() || !isVisible())
        return;
    // Device pixels of the picture to the view's pixels.
    const qreal factor = zoom_ / canvas_.scale();
    const QRectF onScreen(at_.x() + dirty.x() * factor, at_.y() + dirty.y() * factor,
                          dirty.width() * factor, dirty.height() * factor);
    // The frame is on screen when the frame loop's tick returns.
    repaint(onScreen.toAlignedRect());
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect picture = pictureRect();
    const QRegion bars = event->region() - picture;
    for (const QRect& rect : bars)
        painter.fillRect(rect, toQColor(BarColour));

    const QImage image = wrappedImage(canvas_.pixels());
    const qreal scale = canvas_.scale();
    if (scale != wantedScale()) {
        // A zoom that has not settled yet, or a move to a screen with another pixel ratio: the
        // picture stretched until it is rebuilt.
        if (!settle_.isActive())
            settle_.start();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setClipRegion(event->region() & picture);
        painter.drawImage(QRectF(at_, QSizeF(image.size()) * (zoom_ / scale)), image);
        return;
    }
    // One device pixel of the image to one of the screen: source = target in device pixels.
    const qreal ratio = devicePixelRatioF();
    for (const QRect& rect : event->region() & picture) {
        const QRectF source((rect.x() - at_.x()) * ratio, (rect.y() - at_.y()) * ratio,
                            rect.width() * ratio, rect.height() * ratio);
        painter.drawImage(rect, image, source);
    }
}
