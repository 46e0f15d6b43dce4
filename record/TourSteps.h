#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A client area in logical pixels.
struct ClientSize {
    int width = 1024;
    int height = 720;
    bool operator==(const ClientSize&) const = default;
};

// One thing the player does in a recorded playthrough.
struct TourStep {
    enum class Action { Click, FireBall, Flame, Eat, TryAgain, Restart, Resize };
    Action action = Action::Click;
    ClientSize size; // the new client area of a Resize
    bool operator==(const TourStep&) const = default;
};

// The whole story, then each attack with Try Another Choice between them.
inline constexpr std::string_view DefaultTour = "click*7,fire,again,flame,again,eat";
inline constexpr int LargestSide = 4096;
inline constexpr int MostRepeats = 1000;

// "WxH", each side from 1 to LargestSide.
std::optional<ClientSize> ParseClientSize(std::string_view text);

struct ParsedTour {
    std::vector<TourStep> steps;
    std::string error; // empty when the list is good
};

// A comma-separated list of click, click*N, fire, flame, eat, again, restart and size:WxH.
ParsedTour ParseTour(std::string_view text);

// The step as it is written in a list, for messages.
std::string StepName(const TourStep& step);

struct Rehearsal {
    std::vector<std::int64_t> nominalNs; // each step's nominal duration
    std::string error;                   // the first step that cannot be played
};

// Plays the steps through the story on a canvas that keeps nothing, which takes milliseconds:
// a step whose button is hidden at that point, or a run-time error, is found before anything is
// painted for real. With a seed the durations are exactly those of the real playthrough.
Rehearsal RehearseTour(const std::vector<TourStep>& steps, ClientSize start,
                       std::optional<std::uint64_t> seed);
