#include "window/CaptionLabel.h"

#include <QPainter>

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent), caption_(*this, Layout(DesignSize, ViewMode::Actual).labelCaption()) {
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
}

void CaptionLabel::setCaption(const Layout::Caption& caption) {
    caption_.setCaption(caption);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    caption_.draw(painter, rect(), {}, static_cast<int>(alignment()) | Qt::TextWordWrap, text());
}
