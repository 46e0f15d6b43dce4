#pragma once

#include <cstdint>

// A 24-bit colour packed as red + 256 * green + 65536 * blue.
using Color = std::uint32_t;

constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>(red & 0xff) + 256u * static_cast<Color>(green & 0xff) +
           65536u * static_cast<Color>(blue & 0xff);
}

constexpr int RedOf(Color colour) {
    return static_cast<int>(colour & 0xff);
}
constexpr int GreenOf(Color colour) {
    return static_cast<int>((colour >> 8) & 0xff);
}
constexpr int BlueOf(Color colour) {
    return static_cast<int>((colour >> 16) & 0xff);
}
