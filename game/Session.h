#pragma once

#include "canvas/PassThroughCanvas.h"
#include "game/Action.h"
#include "game/Controls.h"
#include "game/SceneLog.h"
#include "game/Story.h"
#include "pacing/PacedCanvas.h"
#include "pacing/Timeline.h"
#include "stage/RandomSource.h"
#include "stage/Silence.h"
#include "stage/Stage.h"

#include <array>
#include <cstdint>
#include <optional>

// One game: the story on its stage, painting on a surface the front end owns and driving the
// front end's controls. It is the only place where the core is put together.
//
// Errors: stepping a picture lets through what stops it half-way, and nothing is caught here:
// - OverflowError, from a painter's 16-bit arithmetic;
// - std::invalid_argument, from a colour with a negative component.
// What becomes of the game then is the runner's decision.
class Session {
  public:
    // With a seed the hoard and the flames repeat exactly; without one they follow the clock.
    // The painters' sound marks go to `sound`.
    Session(Canvas& surface, Controls& controls, std::optional<std::uint64_t> seed = std::nullopt,
            Sound& sound = Silence::shared(), Tempo tempo = Tempo());
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The action's picture, to be stepped to its end. The timeline starts again at zero as it
    // starts, so that at its end it holds the action's nominal duration.
    Painting perform(Action action);
    // Whether the player can do it now: Advance always, a button's action while it is shown.
    bool offers(Action action) const;

    // Paints the scene on screen again on the given canvas, at once and at that canvas's size,
    // as a game played there from the start would show it now: a new view changes what the
    // painters see. Only between actions; lets through what perform() does.
    void replayScene(Canvas& target) const { log_.replay(target); }

    const Story& story() const { return story_; }
    Timeline& timeline() { return timeline_; }
    const Timeline& timeline() const { return timeline_; }

  private:
    // Passes everything on to the front end's controls and remembers which buttons are shown.
    class ShownButtons : public Controls {
      public:
        explicit ShownButtons(Controls& controls) : controls_(controls) {}
        void setCaption(const std::string& text) override { controls_.setCaption(text); }
        void setLabelVisible(bool visible) override { controls_.setLabelVisible(visible); }
        void setButtonVisible(Action button, bool visible) override;
        bool shown(Action button) const { return shown_[static_cast<std::size_t>(button)]; }

      private:
        Controls& controls_;
        std::array<bool, ActionNames.size()> shown_{};
    };

    // Tells the scene log when the surface is cleared, and counts what is drawn on it.
    class SceneWatch : public PassThroughCanvas {
      public:
        SceneWatch(Canvas& surface, SceneLog& log) : PassThroughCanvas(surface), log_(log) {}
        void line(float x1, float y1, float x2, float y2, Color colour) override;
        void drawShape(const CircleShape& shape) override;
        void clear() override;
        // Primitives and clears so far.
        std::uint64_t marks() const { return marks_; }

      private:
        SceneLog& log_;
        std::uint64_t marks_ = 0;
    };

    SceneLog::Start now() const;

    ShownButtons controls_;
    Timeline timeline_;
    // Before the watch and the random source, which tell it what happens.
    SceneLog log_;
    SceneWatch watch_;
    PacedCanvas paced_;
    RandomSource random_;
    Stage stage_;
    Story story_;
};
