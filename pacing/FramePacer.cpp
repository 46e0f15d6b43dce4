#include "pacing/FramePacer.h"

#include <algorithm>

namespace {

// Reading the clock costs about as much as a short line; once every few primitives is enough.
constexpr int primitivesPerClockRead = 16;

} // namespace

FramePacer::FramePacer(Timeline& timeline, const Clock& workClock)
    : timeline_(timeline), clock_(workClock) {}

void FramePacer::setSpeed(double speed) {
    anchorRealNs_ = frameNs_;
    anchorNominalNs_ = lastNominalNs_;
    speed_ = speed;
}

void FramePacer::start(std::int64_t nowNs) {
    anchorRealNs_ = frameStartNs_ = frameNs_ = nowNs;
    anchorNominalNs_ = lastNominalNs_ = 0;
}

void FramePacer::beginFrame(std::int64_t nowNs) {
    frameStartNs_ = frameNs_;
    frameNs_ = std::max(nowNs, frameNs_);
    workStartNs_ = clock_.nowNs();
    sinceClockRead_ = 0;
}

std::int64_t FramePacer::realTimeOf(std::int64_t nominalNs) const {
    if (speed_ <= 0)
        return anchorRealNs_;
    const double real = static_cast<double>(anchorRealNs_) +
                        static_cast<double>(nominalNs - anchorNominalNs_) / speed_;
    // Far beyond any picture's length, and safe to hold in 64 bits.
    return static_cast<std::int64_t>(std::min(real, 1e18));
}

void FramePacer::reached(std::int64_t nominalNs) {
    lastNominalNs_ = nominalNs;
    if (speed_ > 0 && realTimeOf(nominalNs) > frameNs_) {
        timeline_.requestStop(); // ahead of the clock: the rest is for a later frame
        return;
    }
    if (++sinceClockRead_ >= primitivesPerClockRead) {
        sinceClockRead_ = 0;
        if (workDone() >= MostWorkNs)
            timeline_.requestStop();
    }
}

void FramePacer::pausing(std::int64_t nominalNs) {
    const bool holdInFrame = speed_ > 0 && realTimeOf(nominalNs) >= frameStartNs_;
    if (holdInFrame || workDone() >= HoldWorkNs)
        timeline_.requestStop();
}
