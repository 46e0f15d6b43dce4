#pragma once

#include "game/Session.h"
#include "pacing/FramePacer.h"
#include "window/QtFrameHost.h"

#include <QObject>

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>

class CanvasView;
class InputGate;
class QWidget;

// Plays the game in a window: each action runs to the end of its picture, on the window's canvas
// view, while the frame pacer keeps Qt running and the input gate holds back the player's input.
//
// Errors are decided here: a painting stopped by a close ends the program quietly, and a run-time
// error from the game is reported once and ends the program with status 1. No action runs after
// either.
class Player : public QObject {
    Q_OBJECT

  public:
    // The window drives the controls and shows the error box.
    Player(CanvasView& view, Controls& controls, std::optional<std::uint64_t> seed,
           QWidget& window);
    ~Player() override;

    // Plays the action, unless one is under way or the game has halted.
    void run(Action action);
    // Story input that comes as no event (a shortcut, say): runs now when nothing is held back,
    // else in its turn after what is.
    void defer(std::function<void()> input);
    // Paints the scene again for the view's new geometry (see Session::replayScene): at once, or
    // as soon as the picture under way ends.
    void repaintScene();
    // Stops the picture under way, if any, at its next primitive or wait.
    void interrupt();

    bool busy() const;
    // After a run-time error, or a close mid-picture, no action runs any more.
    bool halted() const { return pacer_.stopped(); }
    // Whether the story offers the action now (see Session::offers).
    bool offers(Action action) const { return session_.offers(action); }
    const Story& story() const { return session_.story(); }
    const Timeline& timeline() const { return timeline_; }
    // A recording samples the nominal timeline in the pacer's place; nullptr gives it back.
    void setTimelineSync(Timeline::Sync* sync);

    // Acts at once, even mid-picture, from the next primitive on.
    void setSpeed(double speed) { pacer_.setSpeed(speed); }
    double speed() const { return pacer_.speed(); }
    void setFrameInterval(std::int64_t ns) { pacer_.setFrameInterval(ns); }

  signals:
    // An action has played to its end.
    void played();

  private:
    // Reports the error once and ends the program with status 1.
    void fail(std::string_view step, const std::exception& error);

    QWidget& window_;
    CanvasView& view_;
    QtFrameHost host_;
    FramePacer pacer_;
    Session session_;
    Timeline& timeline_;
    InputGate* gate_;
    bool repaintPending_ = false;
};
