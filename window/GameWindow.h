#pragma once

#include "game/Controls.h"
#include "game/Layout.h"
#include "window/CaptionLabel.h"
#include "window/FrameLoop.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

class CanvasView;
class RasterCanvas;
class CommandButton;
class QAbstractButton;
class QLabel;

// How the game plays and shows.
struct GameOptions {
    double speed = 1.0;                // pace multiplier; 0 never waits for real time
    std::optional<std::uint64_t> seed; // a repeatable random source
    std::optional<ViewMode> view;      // unless chosen, actual size
};

// The game window: the canvas view fills it, with the story label and the five command buttons
// on top, placed by the core layout. A click, a story key or a button press goes to the game
// runner, which the frame loop drives.
class GameWindow : public QWidget, private Controls {
    Q_OBJECT

  public:
    explicit GameWindow(const GameOptions& options = GameOptions(), QWidget* parent = nullptr);

    // The design size in actual size where the screen has room for it; on a smaller screen as
    // large as the screen allows, fitted. A view chosen by the player comes first.
    void showAtPreferredSize(std::optional<ViewMode> chosen = std::nullopt);

    GameRunner& runner() { return frames_.runner(); }
    const GameRunner& runner() const { return frames_.runner(); }
    FrameLoop& frameLoop() { return frames_; }

    const RasterCanvas& canvas() const { return runner().canvas(); }
    QLabel* label() const { return label_; }
    QLabel* continueHint() const { return continueHint_; }
    // The button of an action; nullptr for Advance, which has none.
    QAbstractButton* button(Action action) const;
    // The picture, for screen readers.
    QWidget* pictureView() const;

    ViewMode viewMode() const { return viewMode_; }
    void setViewMode(ViewMode mode);
    void toggleViewMode();
    // Fullscreen always fits the picture; leaving it restores the view and geometry before.
    void toggleFullScreen();
    void leaveFullScreen();

    // The player's sound switch, which the sound output follows. A window with no output keeps
    // it too, for the settings.
    bool muted() const { return muted_; }
    void setMuted(bool muted) {
        if (muted != std::exchange(muted_, muted))
            emit mutedChanged(muted);
    }

    // How long a new zoom must hold before the picture is rebuilt sharp; 0 rebuilds at once.
    void setSettleDelay(int ms);

    // The part of the window that the picture and its bars take up to the device pixel cap: what
    // a saved picture or a clip holds, however large the window manager made the window.
    QRect pictureArea() const;

  signals:
    void mutedChanged(bool muted);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab and Shift+Tab go through the shown buttons in the layout's tab order, from the window
    // itself too, whatever order the buttons were made in.
    bool focusNextPrevChild(bool next) override;

  private:
    void setCaption(const std::string& text) override;
    void setLabelVisible(bool visible) override;
    void setButtonVisible(Action button, bool visible) override;

    Layout currentLayout() const;
    void layoutPicture();
    // Fullscreen has no title bar to say how to go on: a hint says it on the blank screen.
    void showContinueHint();

    FrameLoop frames_;
    CanvasView* view_;
    CaptionLabel* label_;
    QLabel* continueHint_;
    std::array<CommandButton*, ActionNames.size()> buttons_{};
    bool clickArmed_ = false;
    ViewMode viewMode_ = ViewMode::Actual;
    ViewMode viewBeforeFullScreen_ = ViewMode::Actual;
    bool muted_ = false;
};
