#include "window/FrameLoop.h"

#include "game/Layout.h"
#include "qt/CoreToQt.h"
#include "tour/FailureText.h"
#include "window/CanvasView.h"
#include "window/InputGate.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

// The dialog names no step: the game has just stopped in it.
QString reason(const Failure& failure) {
    if (failure.kind == Failure::Kind::OutOfMemory)
        return QStringLiteral("out of memory");
    return QString::fromStdString(failure.reason);
}

} // namespace

FrameLoop::FrameLoop(QWidget& window, Controls& controls, std::optional<std::uint64_t> seed)
    : window_(window), runner_(*this, controls, *this, seed, DesignSize, 1.0),
      view_(new CanvasView(runner_.canvas(), &window)), gate_(new InputGate(runner_, this)) {
    clock_.start();
    // A coarse timer may be 5% off, which a frame's few milliseconds would notice.
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &FrameLoop::frame);
    connect(view_, &CanvasView::sceneStale, this, &FrameLoop::repaintScene);
}

void FrameLoop::setFrameInterval(std::int64_t ns) {
    frameMs_ = static_cast<int>(std::clamp<std::int64_t>(ns / 1'000'000, 1, 16));
}

void FrameLoop::framesWanted() {
    // The first frame as soon as the input's handler returns: the pace counts from it.
    if (!frames_.isActive())
        frames_.start(0);
}

void FrameLoop::frame() {
    view_->present(runner_.advance(clock_.nsecsElapsed()));
    if (!runner_.busy())
        frames_.stop();
    else if (frames_.interval() != frameMs_)
        frames_.start(frameMs_);
}

void FrameLoop::defer(std::function<void()> input) {
    gate_->defer(std::move(input));
}

void FrameLoop::replayHeld(std::uint32_t item) {
    gate_->replay(item);
}

void FrameLoop::repaintScene() {
    runner_.repaintScene(view_->wantedScale());
    view_->sceneHandedOver();
    view_->present(runner_.canvas().takeDirty());
}

void FrameLoop::failed(const Failure& failure) {
    frames_.stop();
    std::fprintf(stderr, "brumox: %s\n", failureText(failure).c_str());
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QCoreApplication::exit(1);
        return;
    }
    // Opened, not run: no event loop waits inside the frame that failed.
    auto* box = new QMessageBox(QMessageBox::Critical, toQString(GameName),
                                QStringLiteral("Run-time error:\n%1").arg(reason(failure)),
                                QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, qApp, [] { QCoreApplication::exit(1); });
    box->open();
}
