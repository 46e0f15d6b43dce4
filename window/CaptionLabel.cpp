#include "window/CaptionLabel.h"

#include "window/Look.h"

#include <QPainter>

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent), caption_(Layout(DesignSize, ViewMode::Actual).labelCaption()) {
    setFont(captionFont(caption_.fontPixels()));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    // The captions are English, laid out as designed whatever the desktop's direction.
    setLayoutDirection(Qt::LeftToRight);
}

void CaptionLabel::setCaption(const Layout::Caption& caption) {
    caption_ = ScaledCaption(caption);
    setFont(captionFont(caption_.fontPixels()));
    update();
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    caption_.draw(painter, rect(), {}, static_cast<int>(alignment()) | Qt::TextWordWrap, text());
}
