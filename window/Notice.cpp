#include "window/Notice.h"

#include <QGuiApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

constexpr int ShownMs = 2000;

void showNow(QWidget& window, const QString& text) {
    QToolTip::showText(window.mapToGlobal(QPoint(8, 8)), text, &window, {}, ShownMs);
}

} // namespace

void showNotice(QWidget& window, const QString& text) {
    if (window.isActiveWindow()) {
        showNow(window, text);
        return;
    }
    // Over a dialog that is closing, the notice would vanish as the game window comes back to
    // the front: it waits a moment for that.
    auto waiting = std::make_shared<QMetaObject::Connection>();
    *waiting = QObject::connect(
        qGuiApp, &QGuiApplication::focusWindowChanged, &window,
        [target = QPointer<QWidget>(&window), text, waiting](QWindow* focus) {
            if (!target || focus != target->windowHandle())
                return;
            QObject::disconnect(*waiting);
            QTimer::singleShot(0, target, [target, text] { showNow(*target, text); });
        });
    QTimer::singleShot(ShownMs, &window, [waiting] { QObject::disconnect(*waiting); });
}

void showFailure(QWidget& window, const QString& text) {
    std::fprintf(stderr, "brumox: %s\n", qPrintable(text));
    showNotice(window, text);
}
