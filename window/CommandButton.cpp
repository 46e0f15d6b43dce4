#include "window/CommandButton.h"

#include "qt/CoreToQt.h"
#include "window/Look.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

CommandButton::CommandButton(Action action, QWidget* parent)
    : QPushButton(toQString(nameOf(action).caption), parent),
      caption_(Layout(DesignSize, ViewMode::Actual).buttonCaption(action)) {
    setFont(captionFont(caption_.fontPixels()));
    // The captions are English, laid out as designed whatever the desktop's direction.
    setLayoutDirection(Qt::LeftToRight);
    // Bevel shades derived from the face; the caption in the usual button-text colour.
    QPalette face(toQColor(ButtonFace));
    face.setColor(QPalette::ButtonText, palette().color(QPalette::ButtonText));
    setPalette(face);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::setCaption(const Layout::Caption& caption) {
    caption_ = ScaledCaption(caption);
    setFont(captionFont(caption_.fontPixels()));
    update();
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QBrush face(toQColor(ButtonFace));
    qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
    const int shift = isDown() ? 1 : 0;
    painter.setPen(palette().color(QPalette::ButtonText));
    caption_.draw(painter, rect().translated(shift, shift), QMargins(4, 3, 4, 3),
                  Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        // A ring that stands out on the red face from across the room, one pixel inside the
        // bevel and as thick as the button is large.
        const int thickness = std::max(2, height() / 24);
        const QRect outer = rect().adjusted(3, 3, -3, -3);
        const QRegion ring =
            QRegion(outer).subtracted(outer.adjusted(thickness, thickness, -thickness, -thickness));
        for (const QRect& part : ring)
            painter.fillRect(part, QColor::fromRgb(FocusRing));
    }
}
