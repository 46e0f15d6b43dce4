#include "window/FramePacer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace {

// Waiting for less than this is not worth a trip through the event loop.
constexpr std::int64_t slackNs = 2'000'000;
constexpr std::int64_t longestFrameNs = 16'000'000;

} // namespace

FramePacer::FramePacer(Presenter& presenter) : presenter_(presenter) {
    clock_.start();
}

void FramePacer::setFrameInterval(std::int64_t ns) {
    frameNs_ = std::clamp<std::int64_t>(ns, 1'000'000, longestFrameNs);
}

void FramePacer::start() {
    clock_.restart();
    lastPresentNs_ = 0;
}

void FramePacer::finish() {
    if (!stopped_)
        presenter_.present();
}

void FramePacer::stop() {
    stopped_ = true;
    if (waiting_)
        waiting_->quit();
}

void FramePacer::throwIfStopped() const {
    if (stopped_)
        throw PaintingStopped();
}

void FramePacer::reached(std::int64_t nominalNs) {
    throwIfStopped();
    if (speed_ > 0) {
        const auto target = static_cast<std::int64_t>(static_cast<double>(nominalNs) / speed_);
        if (target - clock_.nsecsElapsed() > slackNs)
            waitUntil(target);
    }
    const std::int64_t now = clock_.nsecsElapsed();
    if (now - lastPresentNs_ >= frameNs_) {
        // Behind the timeline: show the frame and let Qt run (close, resize, held input).
        present(now);
        QCoreApplication::processEvents();
        throwIfStopped();
    }
}

void FramePacer::present(std::int64_t now) {
    presenter_.present();
    lastPresentNs_ = now;
}

void FramePacer::waitUntil(std::int64_t realNs) {
    for (;;) {
        throwIfStopped();
        std::int64_t now = clock_.nsecsElapsed();
        if (now >= realNs)
            return;
        const std::int64_t frameDue = lastPresentNs_ + frameNs_;
        if (presenter_.hasDirty() && now >= frameDue) {
            present(now);
            continue;
        }
        const std::int64_t wakeAt = presenter_.hasDirty() ? std::min(realNs, frameDue) : realNs;
        const int ms =
            static_cast<int>(std::max<std::int64_t>(1, (wakeAt - now + 999'999) / 1'000'000));
        QEventLoop loop;
        waiting_ = &loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        waiting_ = nullptr;
    }
}
