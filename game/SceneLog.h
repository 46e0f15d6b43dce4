#pragma once

#include "canvas/Canvas.h"
#include "game/Action.h"
#include "game/Story.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What the picture on the canvas was painted from since the canvas was last cleared: the story,
// the random source and the fill colour as they stood before the action that cleared it, the
// actions since, and every clock reading the random source took meanwhile. Played again on a
// canvas of another size, it paints that canvas as a game played there from the start would have
// painted it: the painters follow the canvas's size, and they draw the same random values.
class SceneLog {
  public:
    // Where the game stands as an action begins.
    struct Start {
        StoryState story;
        std::uint64_t randomPosition = 0;
        Color fill = 0;
    };

    // A game from its very start, before the first action.
    explicit SceneLog(Start start) : start_(start), actionStart_(start) {}

    void beginAction(Action action, const Start& before);
    // The action under way cleared the canvas: the scene starts again with it.
    void cleared();
    // The action under way changed nothing: replaying it would not either.
    void forgetAction();
    void noteClockReading(std::uint64_t reading) { readings_.push_back(reading); }

    // Clears the canvas and paints the scene on it again, at once, without the controls. Only
    // between actions. Lets through what the story's painters throw.
    void replay(Canvas& target) const;

  private:
    Start start_;
    std::vector<Action> actions_;
    std::vector<std::uint64_t> readings_;
    Start actionStart_;
    std::size_t actionReadings_ = 0; // where the action under way's readings begin
};
