#pragma once

#include "game/Controls.h"
#include "game/Layout.h"
#include "game/Session.h"
#include "window/FramePacer.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class CanvasView;
class RasterCanvas;
class CommandButton;
class InputGate;
class QAbstractButton;
class QLabel;

// How the game plays and shows.
struct GameOptions {
    double speed = 1.0;                // pace multiplier; 0 never waits for real time
    std::optional<std::uint64_t> seed; // a repeatable random source
    std::optional<ViewMode> view;      // unless chosen, actual size
};

// The game window: the canvas view fills it, with the story label and the five command buttons
// on top. A click or a button press runs the story's handler for it to the end of its picture,
// while the frame pacer keeps Qt running and the input gate holds back the player's input.
class GameWindow : public QWidget, private Controls {
    Q_OBJECT

  public:
    explicit GameWindow(const GameOptions& options = GameOptions(), QWidget* parent = nullptr);
    ~GameWindow() override;

    // The design size in actual size where the screen has room for it; on a smaller screen as
    // large as the screen allows, fitted. A view chosen by the player comes first.
    void showAtPreferredSize(std::optional<ViewMode> chosen = std::nullopt);

    const RasterCanvas& canvas() const;
    const Story& story() const { return session_.story(); }
    const Timeline& timeline() const { return timeline_; }
    QLabel* label() const { return label_; }
    // The button of an action; nullptr for Advance, which has none.
    QAbstractButton* button(Action action) const;
    bool busy() const;
    // Whether the story offers the action now (see Session::offers).
    bool offers(Action action) const { return session_.offers(action); }

    ViewMode viewMode() const { return viewMode_; }
    void setViewMode(ViewMode mode);
    void toggleViewMode();
    // Fullscreen always fits the picture; leaving it restores the view and geometry before.
    void toggleFullScreen();
    void leaveFullScreen();
    // Acts at once, even mid-picture, from the next primitive on.
    void setSpeed(double speed);
    double speed() const { return pacer_.speed(); }

    // A recording samples the nominal timeline in the pacer's place; nullptr gives it back.
    void setTimelineSync(Timeline::Sync* sync) { timeline_.setSync(sync ? sync : &pacer_); }
    // After a run-time error, or a close mid-picture, no handler runs any more.
    bool halted() const { return pacer_.stopped(); }

    // How long a new zoom must hold before the picture is rebuilt sharp; 0 rebuilds at once.
    void setSettleDelay(int ms);

    // Enough for an 8K screen; the cap is what bounds Qt's own backing store.
    static constexpr int MaxDeviceSide = 8192;

    // For the keyboard, the menu and screen readers: story input from shortcuts waits at the
    // gate like clicks, and the picture can be named.
    InputGate& inputGate() const { return *gate_; }
    QWidget* pictureView() const;

  signals:
    // A handler has played to its end.
    void played();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setCaption(const std::string& text) override;
    void setLabelVisible(bool visible) override;
    void setButtonVisible(Action button, bool visible) override;

    void layoutPicture();
    void run(Action action);
    void fail(Action action, const char* what);

    CanvasView* view_;
    FramePacer pacer_;
    Session session_;
    Timeline& timeline_;
    InputGate* gate_;
    QLabel* label_;
    std::array<CommandButton*, ActionNames.size()> buttons_{};
    bool clickArmed_ = false;
    ViewMode viewMode_ = ViewMode::Actual;
    ViewMode viewBeforeFullScreen_ = ViewMode::Actual;
};
