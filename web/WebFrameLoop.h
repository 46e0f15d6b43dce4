#pragma once

#include "game/GameRunner.h"
#include "sound/LiveMix.h"
#include "web/PageControls.h"
#include "web/PagePresenter.h"

#include <cstdint>
#include <optional>
#include <string>

// The game in a browser page: the runner steps the pictures on the page's animation frames, and
// each frame copies what it painted to the page's canvas. Nothing here waits: the page asks for
// frames while busy() and calls advance() in each.
class WebFrameLoop : GameRunner::FrontEnd, FramePacer::Clock {
  public:
    WebFrameLoop(std::optional<std::uint64_t> seed, PixelSize client, double scale);

    // Story input: it plays now, or in its turn after what paints and what is held.
    void play(Action action);
    // A display frame at `nowNs` of the page's clock: steps the game and shows what it painted.
    // True while more frames are wanted.
    bool advance(std::int64_t nowNs);
    // Plays what is under way and held to the end at once: a link's opening steps.
    void finish() { runner_.finish(); }

    bool offers(Action action) const { return runner_.offers(action); }
    bool busy() const { return runner_.busy(); }
    std::size_t heldCount() const { return runner_.heldCount(); }
    bool halted() const { return runner_.halted(); }
    // Empty until a run-time error halts the game.
    const std::string& error() const { return error_; }

    // The painters follow a new client area at once; a new scale rebuilds the picture sharp.
    void showPicture(PixelSize client, double scale);
    // The scene painted again for a new view: now, or as the picture under way ends.
    void repaintScene(double scale);

    // From the player's first click, tap or key on, the pictures are heard: the browser lets
    // the page sound no sooner, and a link's opening steps, played before it, stay silent.
    void listen() { runner_.setSpeaker(&sound_); }
    // What the page's audio output plays, a block at a time.
    LiveMix& sound() { return sound_; }

    void setSpeed(double speed) { runner_.setSpeed(speed); }
    double speed() const { return runner_.speed(); }
    const Story& story() const { return runner_.story(); }

  private:
    void start(Action action);

    void framesWanted() override;
    void replayHeld(std::uint32_t item) override;
    void played() override;
    void failed(const Failure& failure) override;
    std::int64_t nowNs() const override;

    PageControls controls_;
    LiveMix sound_; // before the runner, which marks into it to the end
    GameRunner runner_;
    PagePresenter presenter_;
    // The action whose picture is under way.
    Action playing_ = Action::Advance;
    // The frame under way, and the one the picture under way began in: the page counts a
    // picture's length from frame to frame, as the player sees it.
    std::optional<std::int64_t> frameNs_;
    std::optional<std::int64_t> beganNs_;
    std::string error_;
};
