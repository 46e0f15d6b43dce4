#pragma once

#include <string>
#include <string_view>

// Just enough JSON for what the game tells a page or a test: strings quoted and escaped, and
// numbers that read back as the same double.
std::string jsonString(std::string_view text);
std::string jsonNumber(double value);
