#pragma once

#include "stage/Stage.h"

// The FIRE BALL attack: opens the mouth with a sweep, then flies 5999 flickering balls down to
// the lower right, each shown for pause(5) and erased with the background. radius is the
// caller's variable: it is the radius of the current ball and grows by 0.4 after each one.
// Leaves counterA at 6000 and FillColor at BackColor.
void shootFireBall(Stage& stage, double& radius);
