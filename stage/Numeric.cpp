#include "stage/Numeric.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Wide enough for the product of two ints everywhere: `long` has 32 bits in WebAssembly.
std::int16_t checked(std::int64_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw OverflowError();
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t add16(int a, int b) {
    return checked(std::int64_t{a} + b);
}

std::int16_t sub16(int a, int b) {
    return checked(std::int64_t{a} - b);
}

std::int16_t mul16(int a, int b) {
    return checked(std::int64_t{a} * b);
}

std::int16_t round16(double value) {
    if (!std::isfinite(value))
        throw OverflowError();
    // nearbyint follows the current rounding mode, which is round-half-even by default.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw OverflowError();
    return static_cast<std::int16_t>(rounded);
}
