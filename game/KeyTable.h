#pragma once

#include "game/Action.h"

#include <array>
#include <string_view>
#include <variant>

// What the window does for a key besides the story's actions.
enum class WindowCommand {
    ToggleFullScreen,
    LeaveFullScreen,
    ToggleView,
    Faster,
    Slower,
    SavePicture,
    RecordClip,
    About,
    Quit
};

// One or more keys that do the same.
struct KeyBinding {
    std::variant<Action, WindowCommand> does;
    std::string_view keys; // in Qt's portable key text, alternatives apart by "; "
    std::string_view help; // what they do, in one line of the help
    // As the help and the manual name them, where that is not the keys themselves.
    std::string_view named = {};

    constexpr std::string_view names() const { return named.empty() ? keys : named; }
};

// Every key of the game, in the order the help lists them: the story's, then the window's. The
// story keys go on only while no button has the focus, and the letters press a button only
// while it is shown; the window's keys act at once, even mid-picture.
inline constexpr std::array<KeyBinding, 15> KeyTable{{
    {Action::Advance, "Space; Return; Enter; Right; PgDown",
     "Go on with the story while no button has the focus.", "Space, Enter, Right, Page Down"},
    {Action::FireBall, "F", "Press FIRE BALL, when it is shown."},
    {Action::FlameBreath, "B", "Press FLAME BREATH, when it is shown."},
    {Action::EatHim, "E", "Press EAT HIM, when it is shown."},
    {Action::TryAnotherChoice, "A", "Press Try Another Choice, when it is shown."},
    {Action::StartOver, "S", "Press Start Over, when it is shown."},
    {WindowCommand::ToggleFullScreen, "F11", "Full screen on or off."},
    {WindowCommand::LeaveFullScreen, "Esc", "Leave full screen."},
    {WindowCommand::ToggleView, "V", "Switch between the fitted and the actual size."},
    {WindowCommand::Faster, "+; =; Num++", "Faster, one step of 1/4, 1/2, 1, 2, 4, 8 and instant.",
     "+, ="},
    {WindowCommand::Slower, "-; Num+-", "Slower, one step back.", "-"},
    {WindowCommand::SavePicture, "Ctrl+S", "Save the picture as a PNG in the pictures folder."},
    {WindowCommand::RecordClip, "Ctrl+R",
     "Start or stop recording a clip into the pictures folder."},
    {WindowCommand::About, "F1; ?", "Keys and help, and about the game.", "F1, ?"},
    {WindowCommand::Quit, "Ctrl+Q", "Quit."},
}};

// The entry for an action or a command; every one has exactly one.
const KeyBinding& bindingFor(Action action);
const KeyBinding& bindingFor(WindowCommand command);
