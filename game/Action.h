#pragma once

#include <array>
#include <optional>
#include <string_view>

// Everything the player can do, whatever the input: a click on the window, a button, a key, a
// menu entry or a step of a recorded tour.
enum class Action { Advance, FireBall, FlameBreath, EatHim, TryAnotherChoice, StartOver };

struct ActionName {
    Action action;
    std::string_view step;    // as a recorded tour writes it
    std::string_view caption; // on its command button, exactly; empty for Advance, which has none
    std::string_view spoken;  // the button's plain name, for screen readers
};

// The one table of names: every front end looks actions up here.
inline constexpr std::array<ActionName, 6> ActionNames{{
    {Action::Advance, "click", "", ""},
    {Action::FireBall, "fire", "FIRE BALL!!!!!!!", "Fire ball"},
    {Action::FlameBreath, "flame", "FLAME BREATH!!!!!  ", "Flame breath"},
    {Action::EatHim, "eat", "EAT HIM!!!!", "Eat him"},
    {Action::TryAnotherChoice, "again", "Try Another Choice", "Try another choice"},
    {Action::StartOver, "restart", "Start Over", "Start over"},
}};

constexpr const ActionName& nameOf(Action action) {
    return ActionNames[static_cast<std::size_t>(action)];
}

constexpr bool hasButton(Action action) {
    return action != Action::Advance;
}

std::optional<Action> actionForStep(std::string_view step);
