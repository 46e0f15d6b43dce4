#include "game/SpeedSteps.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Instant sorts above every pace, as it is faster than all of them.
double rank(double speed) {
    return speed <= 0 ? INFINITY : speed;
}

// The whole text as a number, or nothing.
std::optional<double> number(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
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

std::optional<double> parseSpeed(std::string_view text) {
    std::optional<double> factor;
    if (const auto slash = text.find('/'); slash == std::string_view::npos) {
        factor = number(text);
    } else {
        const auto top = number(text.substr(0, slash));
        const auto bottom = number(text.substr(slash + 1));
        if (top && bottom && *bottom != 0)
            factor = *top / *bottom;
    }
    if (!factor || !std::isfinite(*factor))
        return std::nullopt;
    if (*factor == 0)
        return 0.0; // "-0" too
    if (*factor >= SlowestSpeed && *factor <= FastestSpeed)
        return factor;
    return std::nullopt;
}
