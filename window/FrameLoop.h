#pragma once

#include "game/GameRunner.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

class CanvasView;
class InputGate;
class QWidget;

// Drives the game runner in a window: one timer calls it once per display frame while it is
// busy, and the canvas view shows what each frame painted. Input made meanwhile waits in the
// runner's queue, as Qt events the input gate holds and replays.
//
// A failure is reported once, on standard error and in a box, and ends the program with status
// 1; a close mid-picture just stops the picture.
class FrameLoop : public QObject, private GameRunner::FrontEnd, private FramePacer::Clock {
    Q_OBJECT

  public:
    // The view it creates goes into `window` first, under everything made after it.
    FrameLoop(QWidget& window, Controls& controls, std::optional<std::uint64_t> seed);

    GameRunner& runner() { return runner_; }
    const GameRunner& runner() const { return runner_; }
    CanvasView& view() const { return *view_; }

    // Story input that comes as no event (a shortcut, say): runs now when nothing is held back,
    // else in its turn after what is.
    void defer(std::function<void()> input);
    // Paints the scene again for the view's geometry, now or as the picture under way ends.
    void repaintScene();
    // Display frames follow the screen's refresh.
    void setFrameInterval(std::int64_t ns);
    // Whether frames are still to come.
    bool running() const { return frames_.isActive(); }

  signals:
    // A picture has played to its end.
    void played();

  private:
    std::int64_t nowNs() const override { return clock_.nsecsElapsed(); }
    void framesWanted() override;
    void replayHeld(std::uint32_t item) override;
    void failed(const Failure& failure) override;
    void frame();

    QWidget& window_;
    QElapsedTimer clock_;
    GameRunner runner_;
    CanvasView* view_;
    InputGate* gate_;
    QTimer frames_;
    int frameMs_ = 16;
};
