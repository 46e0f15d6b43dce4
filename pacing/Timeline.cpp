#include "pacing/Timeline.h"

Timeline::Timeline(Tempo tempo) : tempo_(tempo) {}

void Timeline::Restart() {
    nominalNs_ = 0;
}

void Timeline::ChargePrimitive(double pixels) {
    advance(tempo_.primitiveNs + tempo_.pixelNs * pixels);
}

void Timeline::ChargePause(int units) {
    if (units > 0)
        advance(tempo_.pauseUnitNs * units);
}

void Timeline::advance(double ns) {
    nominalNs_ += ns;
    if (sync_)
        sync_->Reached(NominalNs());
}
