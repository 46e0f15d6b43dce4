#pragma once

#include <array>
#include <string>

// The speeds the player steps through, slowest first; 0 (instant) never waits, so it counts as
// the fastest.
inline constexpr std::array<double, 7> SpeedSteps{0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 0.0};

// The next step up or down from any speed, also one between two steps or off either end; a
// speed with no step beyond it in that direction stays as it is.
double fasterSpeed(double speed);
double slowerSpeed(double speed);

// "1/4x", "2x", "1.5x", or "instant" for 0.
std::string speedName(double speed);
