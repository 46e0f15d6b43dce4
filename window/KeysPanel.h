#pragma once

#include <QDialog>
#include <QPointer>

class QFrame;
class QPushButton;
class QScrollArea;

// Keys and help: every key of the key table and what it does, how to play with the mouse, and
// about the game, on a dark card in the middle of the game window. It is a child of the window,
// not a window of its own, and it covers all of the window, so that every click lands on it: one
// outside the card closes it, and neither clicks nor story keys reach the story while it is open.
// The picture goes on painting behind it. Screen readers take it for the dialog it is, but it is
// never modal: the window's own keys still act.
class KeysPanel : public QDialog {
    Q_OBJECT

  public:
    explicit KeysPanel(QWidget& window);

    // Opens it with the focus in it, or closes it.
    void toggle();
    // Closes it, the focus going back to where it was before.
    void done(int result) override;

    // Whether one is open over the window: nothing may reach the story then.
    static bool openOver(const QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Tab goes round the panel's own controls, as in any dialog: the story's buttons are behind.
    bool focusNextPrevChild(bool next) override;

  private:
    void placeCard();

    QWidget& window_;
    QFrame* card_;
    QScrollArea* scroll_;
    QPushButton* close_;
    QPointer<QWidget> focusBefore_;
};
