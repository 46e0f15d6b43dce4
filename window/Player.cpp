#include "window/Player.h"

#include "files/SafeFile.h"
#include "game/Layout.h"
#include "window/CanvasView.h"
#include "window/CoreToQt.h"
#include "window/InputGate.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <new>

Player::Player(CanvasView& view, Controls& controls, std::optional<std::uint64_t> seed,
               QWidget& window)
    : window_(window), view_(view), pacer_(view, host_), session_(view.canvas(), controls, seed),
      timeline_(session_.timeline()), gate_(new InputGate(this)) {
    timeline_.setSync(&pacer_);
}

Player::~Player() {
    timeline_.setSync(nullptr);
}

void Player::run(Action action) {
    if (gate_->busy() || pacer_.stopped())
        return;
    gate_->setBusy(true);
    pacer_.start();
    // Input is let through again before anything else happens: an error box must be usable.
    try {
        session_.perform(action);
        pacer_.finish();
        gate_->setBusy(false);
        if (repaintPending_)
            repaintScene();
        emit played();
    } catch (const PaintingStopped&) {
        gate_->setBusy(false);
        QCoreApplication::quit();
    } catch (const std::exception& error) {
        gate_->setBusy(false);
        fail(nameOf(action).step, error);
    }
}

void Player::repaintScene() {
    repaintPending_ = gate_->busy();
    if (repaintPending_ || pacer_.stopped())
        return;
    try {
        view_.repaintScene([this](Canvas& canvas) { session_.replayScene(canvas); });
    } catch (const std::exception& error) {
        // The new view's geometry is what the painters choked on.
        fail("view", error);
    }
}

void Player::defer(std::function<void()> input) {
    gate_->defer(std::move(input));
}

void Player::interrupt() {
    if (gate_->busy())
        pacer_.stop();
}

bool Player::busy() const {
    return gate_->busy();
}

void Player::setTimelineSync(Timeline::Sync* sync) {
    timeline_.setSync(sync ? sync : &pacer_);
}

void Player::fail(std::string_view step, const std::exception& error) {
    pacer_.stop();
    const bool outOfMemory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    const QByteArray reason =
        outOfMemory ? SafeFile::reason(ENOMEM).toLocal8Bit() : QByteArray(error.what());
    const char* what = reason.constData();
    std::fprintf(stderr, "brumox: run-time error in '%.*s': %s\n", static_cast<int>(step.size()),
                 step.data(), what);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(
            &window_, toQString(GameName),
            QStringLiteral("Run-time error:\n%1").arg(QString::fromLocal8Bit(what)));
    QCoreApplication::exit(1);
}
