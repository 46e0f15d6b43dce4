#pragma once

#include <QPushButton>

// A command button of the graphical kind: its face is painted in its own colour with a raised
// bevel, and a caption too wide for it wraps at word boundaries. A focused player can also press
// it with Space, Enter or Return.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    CommandButton(const QString& caption, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
