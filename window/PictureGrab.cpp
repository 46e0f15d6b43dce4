#include "window/PictureGrab.h"

#include "window/GameWindow.h"
#include "window/KeysPanel.h"

#include <QImage>
#include <QPixmap>

QImage grabPicture(GameWindow& window) {
    const QRect area = window.pictureArea();
    const qreal ratio = window.devicePixelRatioF();
    QPixmap picture((QSizeF(area.size()) * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    // As the window draws itself, its background and then each child bottom up, but without the
    // keys and help: hiding that instead would move the focus, and tell screen readers, at every
    // frame of a clip.
    window.render(&picture, QPoint(), QRegion(area), QWidget::DrawWindowBackground);
    for (QObject* child : window.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !widget->isHidden() &&
            !qobject_cast<KeysPanel*>(widget))
            widget->render(&picture, widget->pos() - area.topLeft(), QRegion(),
                           QWidget::DrawChildren);
    }
    return picture.toImage();
}
