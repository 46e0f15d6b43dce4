#pragma once

#include "canvas/RasterCanvas.h"
#include "game/Story.h"
#include "pacing/PacedCanvas.h"
#include "pacing/Timeline.h"
#include "stage/Controls.h"
#include "stage/RandomSource.h"
#include "stage/Stage.h"
#include "window/FramePacer.h"

#include <QWidget>

#include <cstdint>
#include <optional>

// How the game plays: at what pace, and with which random numbers.
struct GameOptions {
    double speed = 1.0;                // pace multiplier; 0 never waits for real time
    std::optional<std::uint64_t> seed; // a repeatable random source
};

class CommandButton;
class InputGate;
class QLabel;

// The game window: its client area is the canvas, with the story label and the five command
// buttons on top. Every handler paints inside the click that started it.
class frmBrumox : public QWidget, public GameView, private FramePacer::Presenter {
    Q_OBJECT

  public:
    explicit frmBrumox(const GameOptions& options = GameOptions(), QWidget* parent = nullptr);
    ~frmBrumox() override;

    // 1024 x 720 logical pixels of client area, or maximized where the screen is smaller.
    void ShowAtPreferredSize();

    void SetCaption(const std::string& text) override;
    void SetLabelVisible(bool visible) override;
    void SetButtonVisible(Button button, bool visible) override;

    const RasterCanvas& canvas() const { return canvas_; }
    const Story& story() const { return story_; }
    const Timeline& timeline() const { return timeline_; }
    bool Busy() const;

    // A recording samples the nominal timeline in the pacer's place; nullptr gives it back.
    void SetTimelineSync(Timeline::Sync* sync) { timeline_.SetSync(sync ? sync : &pacer_); }
    // After a run-time error, or a close mid-picture, no handler runs any more.
    bool Halted() const { return pacer_.Stopped(); }

    static constexpr QSize DefaultClientSize{1024, 720};

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void run(void (Story::*handler)(), const char* name);
    void fail(const char* handler, const char* what);
    CommandButton* button(Button which) const;
    bool HasDirty() const override;
    void Present() override;

    RasterCanvas canvas_;
    Timeline timeline_;
    PacedCanvas paced_;
    RandomSource random_;
    Stage stage_;
    Story story_;
    FramePacer pacer_;
    InputGate* gate_;

    QLabel* lbl;
    CommandButton* cmdRestart;
    CommandButton* cmdTryAgain;
    CommandButton* cmdEat;
    CommandButton* cmdFireBall;
    CommandButton* cmdFlame;

    bool clickArmed_ = false;
};
