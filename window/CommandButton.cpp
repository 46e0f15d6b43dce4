#include "window/CommandButton.h"

#include "game/ButtonLook.h"
#include "qt/CoreToQt.h"
#include "window/Look.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

CommandButton::CommandButton(Action action, QWidget* parent)
    : QPushButton(toQString(nameOf(action).caption), parent),
      caption_(*this, Layout(DesignSize, ViewMode::Actual).buttonCaption(action)) {
    // Bevel shades derived from the face; the caption in the usual button-text colour.
    QPalette face(toQColor(ButtonFace));
    face.setColor(QPalette::ButtonText, palette().color(QPalette::ButtonText));
    setPalette(face);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::setCaption(const Layout::Caption& caption) {
    caption_.setCaption(caption);
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
    caption_.draw(painter, rect().translated(shift, shift),
                  QMargins(CaptionPaddingX, CaptionPaddingY, CaptionPaddingX, CaptionPaddingY),
                  Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        const int thickness = focusRingThickness(height());
        const QRect outer =
            rect().adjusted(FocusRingInset, FocusRingInset, -FocusRingInset, -FocusRingInset);
        const QRegion ring =
            QRegion(outer).subtracted(outer.adjusted(thickness, thickness, -thickness, -thickness));
        for (const QRect& part : ring)
            painter.fillRect(part, QColor::fromRgb(FocusRing));
    }
}
