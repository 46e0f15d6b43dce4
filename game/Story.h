#pragma once

#include "stage/Stage.h"

#include <cstdint>
#include <string>

// The game itself: the story screens and the three attacks, one handler per event of the window.
// It paints only through the painters and drives the label and buttons through the stage's view.
class Story {
  public:
    explicit Story(Stage& stage);

    void Form_Load();
    void Form_Click();
    void cmdFireBall_Click();
    void cmdEat_Click();
    void cmdFlame_Click();
    void cmdRestart_Click();
    void cmdTryAgain_Click();

    std::int16_t storyStep() const { return storyStep_; }

    // The title screen: runs of spaces push each phrase onto its own centred line of the label.
    static const std::string Title;
    static const std::string Question;

  private:
    template <typename Attack> void playAttack(Attack attack, const std::string& message);
    void offerChoice();

    Stage& stage_;
    std::int16_t storyStep_ = 0;
};
