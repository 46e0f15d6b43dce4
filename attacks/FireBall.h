#pragma once

#include "stage/Stage.h"

// The FIRE BALL attack: opens the mouth with a sweep, then flies 5999 flickering balls down to
// the lower right, each shown for pause(5) and erased with the background. The first ball has
// the given radius, and each next one is 0.4 larger. Leaves FillColor at the background.
Painting shootFireBall(Stage& stage, double radius);
