#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A random seed as a player writes it: a whole number from 0 to 2^64 - 1 in decimal digits, and
// nothing else.
std::optional<std::uint64_t> parseSeed(std::string_view text);
