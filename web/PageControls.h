#pragma once

#include "game/Controls.h"

// The story's label and buttons, as the page's HTML elements.
class PageControls : public Controls {
  public:
    void setCaption(const std::string& text) override;
    void setLabelVisible(bool visible) override;
    void setButtonVisible(Action button, bool visible) override;
};
