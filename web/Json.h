#pragma once

#include <string>
#include <string_view>

// Just enough JSON for what the game tells its page: strings quoted and escaped.
std::string jsonString(std::string_view text);
