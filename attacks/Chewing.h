#pragma once

#include "stage/Stage.h"

// The closing picture of the EAT HIM attack: clears a band under the jaw, shuts the jaw in red,
// adds a dark-red arc, then chews twice (a slow background wedge opening from the jaw tip, green
// scraps placed from the lower-right corner, the jaw snapping shut). Leaves FillColor at the
// goblin green.
Painting chewGoblin(Stage& stage);
