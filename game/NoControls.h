#pragma once

#include "game/Controls.h"

// Controls that are not there, for painting off screen: the session itself still knows which
// buttons the story shows.
class NoControls : public Controls {
  public:
    void setCaption(const std::string&) override {}
    void setLabelVisible(bool) override {}
    void setButtonVisible(Action, bool) override {}
};
