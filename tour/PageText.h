#pragma once

#include "game/Failure.h"

#include <string>

// A failure in the page's terms, as its notices and its error box show it: a link's step by its
// place in the link ("step 2, the FIRE BALL button is not on screen at that point"), with no
// command-line option in sight.
std::string pageText(const Failure& failure);
