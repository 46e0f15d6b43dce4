#pragma once

#include "game/Action.h"
#include "stage/Label.h"

// What the story drives besides the canvas: the label and the five command buttons, one for
// each action but Advance.
class Controls : public Label {
  public:
    virtual void setLabelVisible(bool visible) = 0;
    virtual void setButtonVisible(Action button, bool visible) = 0;
};
