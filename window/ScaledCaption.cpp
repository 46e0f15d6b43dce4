#include "window/ScaledCaption.h"

#include <QPainter>

void ScaledCaption::draw(QPainter& painter, const QRect& target, const QMargins& padding, int flags,
                         const QString& text) const {
    const QRectF design(0, 0, caption_.box.width, caption_.box.height);
    painter.save();
    painter.translate(QRectF(target).center());
    painter.scale(caption_.scale, caption_.scale);
    painter.translate(-design.center());
    painter.drawText(design.marginsRemoved(padding), flags, text);
    painter.restore();
}
