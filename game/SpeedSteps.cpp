#include "game/SpeedSteps.h"

#include <cmath>
#include <cstdio>

namespace {

// Instant sorts above every pace, as it is faster than all of them.
double rank(double speed) {
    return speed <= 0 ? INFINITY : speed;
}

} // namespace

double fasterSpeed(double speed) {
    for (const double step : SpeedSteps)
        if (rank(step) > rank(speed))
            return step;
    return speed;
}

double slowerSpeed(double speed) {
    for (auto step = SpeedSteps.rbegin(); step != SpeedSteps.rend(); ++step)
        if (rank(*step) < rank(speed))
            return *step;
    return speed;
}

std::string speedName(double speed) {
    if (speed <= 0)
        return "instant";
    char text[32];
    const double inverse = 1.0 / speed;
    if (speed < 1 && inverse == std::round(inverse))
        std::snprintf(text, sizeof text, "1/%gx", inverse);
    else
        std::snprintf(text, sizeof text, "%gx", speed);
    return text;
}
