#pragma once

#include "stage/Controls.h"

// Controls that are not there: for painting off screen, where no label or button is shown.
class SilentView : public GameView {
  public:
    void SetCaption(const std::string&) override {}
    void SetLabelVisible(bool) override {}
    void SetButtonVisible(Button, bool) override {}
};
