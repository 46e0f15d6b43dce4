#pragma once

#include "game/Controls.h"

#include <map>
#include <string>
#include <vector>

// Stands in for the window's label and buttons; remembers their state and every call in order,
// buttons by their tour step names ("show:fire").
class FakeControls : public Controls {
  public:
    void setCaption(const std::string& text) override {
        caption = text;
        calls.push_back("caption:" + text);
    }
    void setLabelVisible(bool visible) override {
        labelVisible = visible;
        calls.push_back(std::string(visible ? "show" : "hide") + ":label");
    }
    void setButtonVisible(Action button, bool visible) override {
        buttons[button] = visible;
        calls.push_back(std::string(visible ? "show" : "hide") + ":" +
                        std::string(nameOf(button).step));
    }

    bool visible(Action button) const {
        const auto it = buttons.find(button);
        return it != buttons.end() && it->second;
    }

    std::string caption;
    bool labelVisible = true;
    std::map<Action, bool> buttons;
    std::vector<std::string> calls;
};
