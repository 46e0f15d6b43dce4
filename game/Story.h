#pragma once

#include "game/Action.h"
#include "game/Controls.h"
#include "stage/Stage.h"

#include <cstdint>
#include <optional>
#include <string>

// What the story has on screen, in its own terms: an attack's aftermath lasts until the lair is
// repainted or the story starts over.
enum class Scene { Blank, Title, Lair, Goblin, Burnt, Blasted, Eaten };

// Where the story stands between actions: all a story needs to go on from there.
struct StoryState {
    // How many story screens have been shown since the start or the last Start Over.
    std::int16_t storyStep = 0;
    std::optional<Scene> aftermath; // what the last attack left
    bool operator==(const StoryState&) const = default;
};

// The game itself: the story screens and the three attacks, one picture per action. It paints
// only through the painters and drives the label and the buttons through the controls.
class Story {
  public:
    // From the start, or from where another story stood.
    Story(Stage& stage, Controls& controls, StoryState from = {});

    // The action's picture, to be stepped to its end; the story stands after the action then.
    Painting perform(Action action);

    // How many story screens have been shown since the start or the last Start Over: 1 to 7
    // name the screens, 7 also means the choice is on offer or made, and window clicks past it
    // only count on.
    std::int16_t storyStep() const { return state_.storyStep; }
    Scene scene() const;
    const StoryState& state() const { return state_; }

    // The title screen: runs of spaces push each phrase onto its own centred line of the label.
    static const std::string Title;
    static const std::string Question;

  private:
    // A click on the window: the next story screen.
    Painting advance();
    Painting fireBall();
    Painting flameBreath();
    Painting eatHim();
    // Repaints the lair and offers the choice again.
    Painting tryAnotherChoice();
    // Back to before the title, with a blank canvas.
    void startOver();

    // An attack starts with the choice and the label put away, and ends with its result shown.
    void beginAttack();
    void endAttack(Scene result, const std::string& message);
    // A blank canvas and label at the given story step, with no aftermath and neither
    // Try Another Choice nor Start Over on offer.
    void clearTo(std::int16_t storyStep);
    void showChoice(bool shown);

    Stage& stage_;
    Controls& controls_;
    StoryState state_;
};
