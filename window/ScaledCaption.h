#pragma once

#include "game/Layout.h"

#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// A control's caption as the layout places it: laid out in the control's design size, with the
// design's font size, and drawn scaled to the control's zoomed size. The control takes the
// caption's font, and is painted again when the caption changes.
class ScaledCaption {
  public:
    ScaledCaption(QWidget& control, const Layout::Caption& caption);

    void setCaption(const Layout::Caption& caption);

    // Draws `text` centred in `target`, with `padding` (in design pixels) left free around it.
    void draw(QPainter& painter, const QRect& target, const QMargins& padding, int flags,
              const QString& text) const;

  private:
    QWidget& control_;
    Layout::Caption caption_;
};
