#include "sound/Waveform.h"

#include "canvas/ExactTrig.h"

#include <array>
#include <cmath>

namespace {

constexpr int TableSize = 4096;

// One cycle and its first point again, so that interpolation never wraps.
const std::array<double, TableSize + 1>& table() {
    static const std::array<double, TableSize + 1> cycle = [] {
        std::array<double, TableSize + 1> values{};
        constexpr double TwoPi = 6.283185307179586;
        for (int i = 0; i <= TableSize; ++i)
            values[i] = exactSine(TwoPi * i / TableSize);
        return values;
    }();
    return cycle;
}

} // namespace

double Waveform::sine(double turns) {
    const double place = (turns - std::floor(turns)) * TableSize;
    const int index = static_cast<int>(place);
    const double between = place - index;
    const auto& values = table();
    return values[index] + (values[index + 1] - values[index]) * between;
}
