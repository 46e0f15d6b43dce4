#pragma once

#include "stage/Controls.h"

#include <map>
#include <string>
#include <vector>

// Stands in for the window's label and buttons; remembers their state and every call in order.
class FakeView : public GameView {
  public:
    void SetCaption(const std::string& text) override {
        caption = text;
        calls.push_back("caption:" + text);
    }
    void SetLabelVisible(bool visible) override {
        labelVisible = visible;
        calls.push_back(std::string(visible ? "show" : "hide") + ":lbl");
    }
    void SetButtonVisible(Button button, bool visible) override {
        buttons[button] = visible;
        calls.push_back(std::string(visible ? "show" : "hide") + ":" + Name(button));
    }

    bool Visible(Button button) const {
        const auto it = buttons.find(button);
        return it != buttons.end() && it->second;
    }

    static std::string Name(Button button) {
        switch (button) {
        case Button::Restart:
            return "cmdRestart";
        case Button::TryAgain:
            return "cmdTryAgain";
        case Button::Eat:
            return "cmdEat";
        case Button::FireBall:
            return "cmdFireBall";
        case Button::Flame:
            return "cmdFlame";
        }
        return "?";
    }

    std::string caption;
    bool labelVisible = true;
    std::map<Button, bool> buttons;
    std::vector<std::string> calls;
};
