#pragma once

#include "game/Layout.h"
#include "window/ScaledCaption.h"

#include <QPushButton>

// A command button of the graphical kind: its face is painted in its own colour with a raised
// bevel, and a caption too wide for it wraps at word boundaries, as in the design at every zoom.
// A focused player can also press it with Space, Enter or Return.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    CommandButton(Action action, QWidget* parent);

    void setCaption(const Layout::Caption& caption);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    ScaledCaption caption_;
};
