#include "window/QtFrameHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

QtFrameHost::QtFrameHost() {
    clock_.start();
}

void QtFrameHost::sleep(int ms) {
    QEventLoop loop;
    sleeping_ = &loop;
    // A coarse timer may be 5% off, which a frame's few milliseconds would notice.
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    sleeping_ = nullptr;
}

void QtFrameHost::wake() {
    if (sleeping_)
        sleeping_->quit();
}

void QtFrameHost::runPending() {
    QCoreApplication::processEvents();
}
