#include "app/SignalCloser.h"

#include "app/EndingSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the handler, [1] read by the event loop.
int sockets[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    // Nothing to do if it fails: a byte is waiting already.
    [[maybe_unused]] const ssize_t written = ::write(sockets[0], &byte, 1);
}

} // namespace

SignalCloser::SignalCloser(QWidget& window) : QObject(&window), window_(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0) {
        std::perror("brumox: cannot watch for signals");
        return;
    }
    notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::closeWindow);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : EndingSignals)
        if (!ignoredFromStart(signal))
            ::sigaction(signal, &action, nullptr);
}

SignalCloser::~SignalCloser() {
    if (!notifier_)
        return;
    for (const int signal : EndingSignals)
        if (!ignoredFromStart(signal))
            std::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void SignalCloser::closeWindow() {
    char bytes[16];
    while (::read(sockets[1], bytes, sizeof bytes) > 0) {
    }
    window_.close();
}
