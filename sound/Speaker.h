#pragma once

#include "stage/Sound.h"

// Where a front end hears the cues a player is meant to hear, as the painters mark them, and the
// pace the picture plays at, which continuous cues follow.
class Speaker : public Sound {
  public:
    // Nominal seconds per real second from now on; above 0.
    virtual void setPace(double speed) = 0;
};
