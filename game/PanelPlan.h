#pragma once

#include "game/Layout.h"

#include <array>
#include <span>
#include <vector>

// The controls' sizes in the panel that takes them where the picture leaves them too little
// room, stacked from the top: the menu in a strip of its own or beside the label, then the
// label, then the buttons. The three attack buttons and the two that follow an attack are never
// shown together, so they share one place.
struct PanelPlan {
    // The space between controls.
    static constexpr int Gap = 6;
    // Left to right in the design, and so in the panel.
    static constexpr std::array<Action, 3> Attacks{Action::FireBall, Action::FlameBreath,
                                                   Action::EatHim};
    // Top to bottom in the design; side by side where there is room.
    static constexpr std::array<Action, 2> Aftermath{Action::TryAnotherChoice, Action::StartOver};

    // Buttons side by side as far as the plan's flowWidth allows, then on the next row, each row
    // centred: their places relative to the first row's top-left corner, in the order given.
    struct Flow {
        PixelSize size;
        std::vector<PixelRect> places;
    };

    // Each control at the floor: the label's font, each button's font, and a finger's target.
    static PanelPlan atFloor(const Floor& floor, PixelSize menu);

    double labelScale = 1.0;
    std::array<double, 6> buttonScales{}; // by action
    int flowWidth = 0;                    // how wide a row of buttons may be; 0 for a column
    bool menuInRow = false;               // beside the label, else in a strip above it
    PixelSize menu;
    // How far the controls fall short of the floor: 1 where they meet it.
    double shrunk = 1.0;

    PixelSize labelSize() const;
    PixelSize buttonSize(Action action) const;
    Flow flow(std::span<const Action> actions) const;
    // The place the attacks and the buttons after them share.
    PixelSize buttons() const;
    bool hasMenu() const { return menu.width > 0 && menu.height > 0; }
    // The menu's strip above the label, or its room beside it.
    int strip() const { return hasMenu() && !menuInRow ? menu.height + Gap : 0; }
    int menuBeside() const { return hasMenu() && menuInRow ? Gap + menu.width : 0; }
    PixelSize labelRow() const;
    PixelSize size() const;
    bool fits(PixelSize room) const;

    // Everything smaller alike, until it fits: the floor gives way only in the smallest windows.
    void shrinkInto(PixelSize room);
    // The room left over goes to the label first, up to its design size, then to the buttons,
    // each up to its design size (or its floor, where that is larger).
    void growInto(PixelSize room);
};
