#pragma once

#include "game/Controls.h"

#include <map>
#include <string>

// Stands in for the window's label and buttons and remembers their state.
class FakeControls : public Controls {
  public:
    void setCaption(const std::string& text) override { caption = text; }
    void setLabelVisible(bool visible) override { labelVisible = visible; }
    void setButtonVisible(Action button, bool visible) override { buttons[button] = visible; }

    bool visible(Action button) const {
        const auto it = buttons.find(button);
        return it != buttons.end() && it->second;
    }

    std::string caption;
    bool labelVisible = true;
    std::map<Action, bool> buttons;
};
