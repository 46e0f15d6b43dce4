#pragma once

#include "canvas/Pixels.h"
#include "game/Action.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// One thing the player does in a recorded playthrough: an action, or a resize of the window's
// client area.
using TourStep = std::variant<Action, PixelSize>;

// The whole story, then each attack with Try Another Choice between them.
inline constexpr std::string_view DefaultTour = "click*7,fire,again,flame,again,eat";
inline constexpr int LargestSide = 4096;
inline constexpr int MostRepeats = 1000;

// "WxH", each side from 1 to LargestSide.
std::optional<PixelSize> parseClientSize(std::string_view text);

struct ParsedTour {
    std::vector<TourStep> steps;
    // What is wrong with the list, in words that fit after its name ("has an empty step", "step
    // 'x' wants ..."): the command line puts its option first, the page its parameter. Empty
    // when the list is good.
    std::string reason;
};

// A comma-separated list of action steps ("click", "fire", ... as the action table names them),
// each optionally repeated ("click*7"), and "size:WxH".
ParsedTour parseTour(std::string_view text);

// Every kind of step, as help and messages list them: "click, click*N, fire, ..., size:WxH".
std::string stepList();

// The step as it is written in a list, for messages.
std::string stepName(const TourStep& step);

// A button as messages name it: its caption without the exclamation marks ("FIRE BALL").
std::string buttonName(Action action);
