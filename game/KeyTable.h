#pragma once

#include "game/Action.h"
#include "game/SpeedSteps.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

// What the window does for a key besides the story's actions.
enum class WindowCommand {
    ToggleFullScreen,
    LeaveFullScreen,
    ToggleView,
    Faster,
    Slower,
    ToggleSound,
    SavePicture,
    RecordClip,
    About,
    Quit
};

// A key that types no character of its own.
enum class NamedKey { None, Space, Enter, Right, PageDown, Escape, F1, F11 };

// One key as plain data, which each front end maps to its own toolkit's keys: a named key or a
// printable character (letters in upper case), with Ctrl held or not, on the keypad or not.
struct Key {
    NamedKey named = NamedKey::None;
    char character = 0;
    bool ctrl = false;
    bool keypad = false;

    constexpr bool operator==(const Key&) const = default;
};

constexpr Key key(NamedKey named) {
    return {named};
}
constexpr Key key(char character) {
    return {NamedKey::None, character};
}
constexpr Key ctrlKey(char character) {
    return {NamedKey::None, character, true};
}
constexpr Key keypadKey(NamedKey named) {
    return {named, 0, false, true};
}
constexpr Key keypadKey(char character) {
    return {NamedKey::None, character, false, true};
}

// A named key as the help writes it: "Page Down", "Esc".
std::string_view keyName(NamedKey named);
// A key as the help writes it: "F", "Ctrl+S", "Page Down".
std::string keyName(const Key& key);

// The keys of one entry, the first the one menus show.
class KeyList {
  public:
    template <typename... Keys>
    constexpr KeyList(Keys... keys) : keys_{keys...}, count_(sizeof...(Keys)) {}

    constexpr const Key* begin() const { return keys_.data(); }
    constexpr const Key* end() const { return keys_.data() + count_; }

  private:
    std::array<Key, 5> keys_{};
    std::size_t count_;
};

// One or more keys that do the same.
struct KeyBinding {
    std::variant<Action, WindowCommand> does;
    KeyList keys;
    std::string help; // what they do, in one line of the help

    // The keys as the help and the manual name them: the keypad's twins left out.
    std::string names() const;
};

// Every key of the game, in the order the help lists them: the story's, then the window's. The
// story keys go on only while no button has the focus, and the letters press a button only
// while it is shown; the window's keys act at once, even mid-picture.
inline const std::array<KeyBinding, 16> KeyTable{{
    {Action::Advance,
     {key(NamedKey::Space), key(NamedKey::Enter), keypadKey(NamedKey::Enter), key(NamedKey::Right),
      key(NamedKey::PageDown)},
     "Go on with the story while no button has the focus."},
    {Action::FireBall, {key('F')}, "Press FIRE BALL, when it is shown."},
    {Action::FlameBreath, {key('B')}, "Press FLAME BREATH, when it is shown."},
    {Action::EatHim, {key('E')}, "Press EAT HIM, when it is shown."},
    {Action::TryAnotherChoice, {key('A')}, "Press Try Another Choice, when it is shown."},
    {Action::StartOver, {key('S')}, "Press Start Over, when it is shown."},
    {WindowCommand::ToggleFullScreen, {key(NamedKey::F11)}, "Full screen on or off."},
    {WindowCommand::LeaveFullScreen, {key(NamedKey::Escape)}, "Leave full screen."},
    {WindowCommand::ToggleView, {key('V')}, "Switch between the fitted and the actual size."},
    {WindowCommand::Faster,
     {key('+'), key('='), keypadKey('+')},
     std::string("Faster, one step of ").append(speedStepsText()).append(".")},
    {WindowCommand::Slower, {key('-'), keypadKey('-')}, "Slower, one step back."},
    {WindowCommand::ToggleSound, {key('M')}, "Sound on or off."},
    {WindowCommand::SavePicture,
     {ctrlKey('S')},
     "Save the picture as a PNG in the pictures folder."},
    {WindowCommand::RecordClip,
     {ctrlKey('R')},
     "Start or stop recording a clip into the pictures folder."},
    {WindowCommand::About, {key(NamedKey::F1), key('?')}, "Keys and help, and about the game."},
    {WindowCommand::Quit, {ctrlKey('Q')}, "Quit."},
}};

// The entry for an action or a command; every one has exactly one.
const KeyBinding& bindingFor(Action action);
const KeyBinding& bindingFor(WindowCommand command);

// A command by the name the page knows it by: "fullscreen", "view", "save".
std::string_view commandName(WindowCommand command);
