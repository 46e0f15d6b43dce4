#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>

// A 24-bit colour packed as red + 256 * green + 65536 * blue.
using Color = std::uint32_t;

// Components above 255 count as 255; a negative one is a caller's error, not a colour.
constexpr Color rgb(int red, int green, int blue) {
    if (red < 0 || green < 0 || blue < 0)
        throw std::invalid_argument("Invalid procedure call or argument");
    return static_cast<Color>(std::min(red, 255)) +
           256u * static_cast<Color>(std::min(green, 255)) +
           65536u * static_cast<Color>(std::min(blue, 255));
}

constexpr int redOf(Color colour) {
    return static_cast<int>(colour & 0xff);
}
constexpr int greenOf(Color colour) {
    return static_cast<int>((colour >> 8) & 0xff);
}
constexpr int blueOf(Color colour) {
    return static_cast<int>((colour >> 16) & 0xff);
}
