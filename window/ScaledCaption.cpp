#include "window/ScaledCaption.h"

#include "window/Look.h"

#include <QPainter>
#include <QWidget>

ScaledCaption::ScaledCaption(QWidget& control, const Layout::Caption& caption)
    : control_(control), caption_(caption) {
    control_.setFont(captionFont(caption_.fontPixels));
    // The captions are English, laid out as designed whatever the desktop's direction.
    control_.setLayoutDirection(Qt::LeftToRight);
}

void ScaledCaption::setCaption(const Layout::Caption& caption) {
    caption_ = caption;
    control_.setFont(captionFont(caption_.fontPixels));
    control_.update();
}

void ScaledCaption::draw(QPainter& painter, const QRect& target, const QMargins& padding, int flags,
                         const QString& text) const {
    const QRectF design(0, 0, caption_.box.width, caption_.box.height);
    painter.save();
    // The painter takes its direction from the application, not the widget: English reads left
    // to right under a right-to-left desktop too.
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.translate(QRectF(target).center());
    painter.scale(caption_.scale, caption_.scale);
    painter.translate(-design.center());
    painter.drawText(design.marginsRemoved(padding), flags, text);
    painter.restore();
}
