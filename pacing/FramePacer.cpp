#include "pacing/FramePacer.h"

#include <algorithm>

namespace {

// Waiting for less than this is not worth a trip through the front end's event loop.
constexpr std::int64_t slackNs = 2'000'000;
constexpr std::int64_t longestFrameNs = 16'000'000;

} // namespace

FramePacer::FramePacer(Presenter& presenter, Host& host)
    : presenter_(presenter), host_(host), startNs_(host.nowNs()) {}

void FramePacer::setFrameInterval(std::int64_t ns) {
    frameNs_ = std::clamp<std::int64_t>(ns, 1'000'000, longestFrameNs);
}

void FramePacer::setSpeed(double speed) {
    anchorRealNs_ = now();
    anchorNominalNs_ = lastNominalNs_;
    speed_ = speed;
    // A wait under way is for the old pace.
    host_.wake();
}

void FramePacer::start() {
    startNs_ = host_.nowNs();
    lastPresentNs_ = 0;
    frameDueNs_ = frameNs_;
    anchorRealNs_ = anchorNominalNs_ = lastNominalNs_ = 0;
}

std::int64_t FramePacer::realTimeOf(std::int64_t nominalNs) const {
    const double real = static_cast<double>(anchorRealNs_) +
                        static_cast<double>(nominalNs - anchorNominalNs_) / speed_;
    // Far beyond any picture's length, and safe to hold in 64 bits.
    return static_cast<std::int64_t>(std::min(real, 1e18));
}

void FramePacer::finish() {
    if (!stopped_)
        presenter_.present();
}

void FramePacer::stop() {
    stopped_ = true;
    host_.wake();
}

void FramePacer::throwIfStopped() const {
    if (stopped_)
        throw PaintingStopped();
}

void FramePacer::reached(std::int64_t nominalNs) {
    throwIfStopped();
    lastNominalNs_ = nominalNs;
    waitFor(nominalNs);
    const std::int64_t now = this->now();
    if (frameOverdue(now)) {
        // No pause came, or the machine is behind the timeline: show the frame and let the front
        // end run (close, resize, held input).
        present(now);
        host_.runPending();
        throwIfStopped();
    }
}

void FramePacer::pausing(std::int64_t) {
    const std::int64_t now = this->now();
    // At most once per display frame, even when the last frame came late.
    if (now >= frameDueNs_ && now - lastPresentNs_ >= frameNs_ / 2 && presenter_.hasDirty())
        present(now);
}

void FramePacer::present(std::int64_t now) {
    presenter_.present();
    lastPresentNs_ = now;
    // The next frame keeps to the grid, unless the machine fell a whole frame behind it.
    frameDueNs_ = std::max(frameDueNs_ + frameNs_, now);
}

void FramePacer::waitFor(std::int64_t nominalNs) {
    // Only a lead worth a trip through the event loop starts a wait; once waiting, wait it out.
    for (std::int64_t worthWaiting = slackNs;; worthWaiting = 0) {
        throwIfStopped();
        if (speed_ <= 0)
            return;
        const std::int64_t realNs = realTimeOf(nominalNs);
        const std::int64_t now = this->now();
        if (realNs - now <= worthWaiting)
            return;
        if (presenter_.hasDirty() && frameOverdue(now)) {
            present(now);
            continue;
        }
        const std::int64_t wakeAt =
            presenter_.hasDirty() ? std::min(realNs, frameDueNs_ + frameNs_) : realNs;
        // Woken at least every tenth of a second, whatever the pace.
        const int ms = static_cast<int>(
            std::clamp<std::int64_t>((wakeAt - now + 999'999) / 1'000'000, 1, 100));
        host_.sleep(ms);
    }
}
