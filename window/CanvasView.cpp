#include "window/CanvasView.h"

#include <QPaintEvent>
#include <QPainter>

CanvasView::CanvasView(QSize clientSize, QWidget* parent) : QWidget(parent), canvas_(clientSize) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(clientSize);
}

void CanvasView::present() {
    const QRect dirty = canvas_.takeDirty();
    if (!dirty.isEmpty() && isVisible())
        repaint(dirty);
}

void CanvasView::paintEvent(QPaintEvent* event) {
    // Moved to a screen with another pixel ratio: the image follows before it is shown.
    if (devicePixelRatioF() != canvas_.image().devicePixelRatio())
        canvas_.resize(size(), devicePixelRatioF());
    QPainter painter(this);
    const QImage& image = canvas_.image();
    const qreal ratio = image.devicePixelRatio();
    for (const QRect& rect : event->region())
        painter.drawImage(rect, image,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                 rect.height() * ratio));
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    canvas_.resize(size(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}
