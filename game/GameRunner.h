#pragma once

#include "canvas/RasterCanvas.h"
#include "game/CueGate.h"
#include "game/Failure.h"
#include "game/Session.h"
#include "pacing/FramePacer.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <variant>

// Plays the game for a front end, which calls advance() once per display frame and shows what
// it returns. It owns the session and its canvas, steps the picture under way as far as the
// frame's time allows, holds the input made meanwhile and hands it back in turn, repaints the
// scene for a new view, and decides what a failure does: the game halts, and the front end is
// told once.
//
// Nothing here waits or runs an event loop: every call returns at once, and advance() within
// the pacer's share of work.
class GameRunner {
  public:
    // What the runner needs from its front end.
    class FrontEnd {
      public:
        virtual ~FrontEnd() = default;
        // An action has started: advance() is wanted on the coming display frames, until
        // busy() says otherwise, to step its picture and show what it painted.
        virtual void framesWanted() = 0;
        // An item of the front end's own (see hold()) has its turn: handle it as if it had just
        // come. Story actions it starts then play at once.
        virtual void replayHeld(std::uint32_t item) = 0;
        // A picture has played to its end.
        virtual void played() {}
        // The game has halted; nothing plays any more.
        virtual void failed(const Failure& failure) = 0;
    };

    // The painters see `client` logical pixels, held at `scale` device pixels each. With a
    // seed, the hoard and the flames repeat exactly.
    GameRunner(FrontEnd& frontEnd, Controls& controls, const FramePacer::Clock& workClock,
               std::optional<std::uint64_t> seed, PixelSize client, double scale);
    GameRunner(const GameRunner&) = delete;
    GameRunner& operator=(const GameRunner&) = delete;

    // Story input: the action starts when nothing paints and nothing is held, else it waits
    // its turn. In its turn it plays if the story offers it then, and is dropped otherwise.
    void play(Action action);
    // Input of the front end's own while busy(), kept in the same queue as the story's: handed
    // back through replayHeld() in its turn.
    void hold(std::uint32_t item);
    // A display frame at `nowNs` (the front end's time, which stands still while nothing is
    // shown): steps the picture, and then what was held, and returns the device pixels
    // painted since the last call.
    PixelRect advance(std::int64_t nowNs);
    // Plays the picture under way and everything held to their end, at once.
    void finish();
    // Ends the game where it stands: the picture stops, held input is dropped.
    void stop();

    // A picture under way, or input held.
    bool busy() const { return !picture_.done() || !held_.empty(); }
    bool painting() const { return !picture_.done(); }
    bool halted() const { return halted_; }
    std::size_t heldCount() const { return held_.size(); }
    // Whether the story offers the action now (see Session::offers).
    bool offers(Action action) const { return !halted_ && session_.offers(action); }

    // The picture's pace: at 0 (instant) a picture plays at once, and silently.
    void setSpeed(double speed);
    double speed() const { return pacer_.speed(); }
    // Paints the scene again at this scale, as a game played at the canvas's client size from
    // the start would show it now: at once, or as the picture under way ends.
    void repaintScene(double scale);
    // A recording watches the timeline in the pacer's place, and nothing stops a picture then;
    // nullptr gives it back.
    void setTimelineSync(Timeline::Sync* sync);
    // Where the cues go that a player hears: those of pictures stepped by advance() at a speed
    // above 0, and while a recording watches, those of finish(). None by default.
    void setSpeaker(Speaker* speaker);

    RasterCanvas& canvas() { return canvas_; }
    const RasterCanvas& canvas() const { return canvas_; }
    const Story& story() const { return session_.story(); }
    const Timeline& timeline() const { return session_.timeline(); }

  private:
    using Held = std::variant<Action, std::uint32_t>;

    void start(Action action);
    // Steps the picture under way; false when it stopped for the frame or failed.
    bool step();
    // What follows a picture's end: a repaint asked for meanwhile, then the next held input.
    void afterPicture();
    void takeHeld();
    void repaintNow(double scale);
    void fail(Failure failure);

    FrontEnd& frontEnd_;
    RasterCanvas canvas_;
    CueGate cues_; // before the session, whose painters mark into it
    Session session_;
    FramePacer pacer_;
    Painting picture_;
    Action playing_ = Action::Advance;
    bool anchored_ = false;
    std::deque<Held> held_;
    bool takingHeld_ = false;
    bool finishing_ = false;
    std::optional<double> repaintScale_;
    bool halted_ = false;
};
