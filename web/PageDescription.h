#pragma once

#include "game/Layout.h"

#include <string>

// What the page needs to know from the core, as JSON: where everything goes for a window size,
// and the game's tables (actions, keys, scenes, speeds, colours), so that the page keeps no
// copy of them.
std::string describeLayout(const Layout& layout);
std::string describeTables();
