#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The speeds the player steps through, slowest first; 0 (instant) never waits, so it counts as
// the fastest.
inline constexpr std::array<double, 7> SpeedSteps{0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 0.0};

// The slowest and fastest pace a player can ask for, besides 0.
inline constexpr double SlowestSpeed = 1.0 / 64;
inline constexpr double FastestSpeed = 64;

// A speed as a player writes it: 0, or a factor from 1/64 to 64 as a decimal ("0.25") or a
// fraction ("1/4"). The decimal point is a dot whatever the locale.
std::optional<double> parseSpeed(std::string_view text);

// The next step up or down from any speed, also one between two steps or off either end; a
// speed with no step beyond it in that direction stays as it is.
double fasterSpeed(double speed);
double slowerSpeed(double speed);

// "1/4x", "2x", "1.5x", or "instant" for 0.
std::string speedName(double speed);

// The steps as the help lists them: "1/4, 1/2, 1, 2, 4, 8 and instant".
std::string speedStepsText();
