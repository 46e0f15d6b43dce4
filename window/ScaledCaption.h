#pragma once

#include "game/Layout.h"

#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;

// A control's caption as the layout places it: laid out in the control's design size, with the
// design's font size, and drawn scaled to the control's zoomed size.
class ScaledCaption {
  public:
    explicit ScaledCaption(const Layout::Caption& caption) : caption_(caption) {}

    int fontPixels() const { return caption_.fontPixels; }

    // Draws `text` centred in `target`, with `padding` (in design pixels) left free around it.
    void draw(QPainter& painter, const QRect& target, const QMargins& padding, int flags,
              const QString& text) const;

  private:
    Layout::Caption caption_;
};
