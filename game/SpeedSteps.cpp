#include "game/SpeedSteps.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// Instant sorts above every pace, as it is faster than all of them.
double rank(double speed) {
    return speed <= 0 ? INFINITY : speed;
}

// The whole text as a plain decimal ("2", "0.25", ".5"), or nothing. By hand, as the browser
// build's C++ library has no from_chars for doubles and strtod follows the locale: at most 15
// digits make an exact integer, and one division by an exact power of ten rounds correctly.
std::optional<double> number(std::string_view text) {
    constexpr int MostDigits = 15;
    std::uint64_t digits = 0;
    int count = 0;
    double scale = 1;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9' || count == MostDigits)
            return std::nullopt;
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        ++count;
        if (point)
            scale *= 10;
    }
    if (count == 0)
        return std::nullopt;
    return static_cast<double>(digits) / scale;
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

std::string speedStepsText() {
    std::string text;
    for (std::size_t i = 0; i < SpeedSteps.size(); ++i) {
        std::string name = speedName(SpeedSteps[i]);
        if (name.ends_with('x'))
            name.pop_back();
        text += (i == 0 ? "" : i + 1 == SpeedSteps.size() ? " and " : ", ") + name;
    }
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
