#pragma once

#include "game/Layout.h"
#include "tour/PageLink.h"

#include <string>

// What the page needs to know from the core, as JSON: where everything goes for a window size,
// and the game's tables (actions, scenes, speeds, colours), so that the page keeps no copy of
// them. The keys, the views, the game's name and the buttons' look reach the page at build time
// instead (brumox-pixels page-tables), as the page's own markup needs some of them.
std::string describeLayout(const Layout& layout);
std::string describeTables();
// What a link asks for: {"seed": "N" or null (as text: 64 bits), "speed", "view" ("fit",
// "actual" or null), "mute" (true, false or null), "steps" (action indices), "notices"}.
std::string describeLink(const PageLink& link);
