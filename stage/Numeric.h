#pragma once

#include <cstdint>
#include <stdexcept>

// The run-time error a 16-bit result out of range raises.
class OverflowError : public std::overflow_error {
  public:
    OverflowError() : std::overflow_error("Overflow") {}
};

// Checked 16-bit arithmetic: the painters' loop counters and coordinates.
std::int16_t add16(int a, int b);
std::int16_t sub16(int a, int b);
std::int16_t mul16(int a, int b);

// Round to nearest, ties to even, into a 16-bit integer; out of range (or not a number)
// raises OverflowError.
std::int16_t round16(double value);
