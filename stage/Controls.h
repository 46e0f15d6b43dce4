#pragma once

#include <string>

// The controls the story drives: the label and the five command buttons.
class GameView {
  public:
    enum class Button { Restart, TryAgain, Eat, FireBall, Flame };

    virtual ~GameView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetLabelVisible(bool visible) = 0;
    virtual void SetButtonVisible(Button button, bool visible) = 0;
};
