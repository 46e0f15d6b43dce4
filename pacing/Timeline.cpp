#include "pacing/Timeline.h"

Timeline::Timeline(Tempo tempo) : tempo_(tempo) {}

void Timeline::restart() {
    nominalNs_ = 0;
}

void Timeline::chargePrimitive(double pixels) {
    advance(tempo_.primitiveNs + tempo_.pixelNs * pixels);
}

void Timeline::chargePause(int units) {
    if (units <= 0)
        return;
    if (sync_)
        sync_->pausing(nominalNs());
    advance(tempo_.pauseUnitNs * units);
}

void Timeline::advance(double ns) {
    nominalNs_ += ns;
    if (sync_)
        sync_->reached(nominalNs());
}
