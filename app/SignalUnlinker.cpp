#include "app/SignalUnlinker.h"

#include "files/TemporaryNames.h"

namespace {

extern "C" void removeTemporariesAndEnd(int signal) {
    TemporaryNames::removeAll();
    // SA_RESETHAND has put the default action back, and the signal stays blocked until the
    // handler returns: then it ends the program.
    ::raise(signal);
}

} // namespace

SignalUnlinker::SignalUnlinker() {
    struct sigaction action = {};
    action.sa_handler = removeTemporariesAndEnd;
    action.sa_flags = SA_RESETHAND;
    // One handler at a time: a second signal waits until the first has ended the program.
    sigemptyset(&action.sa_mask);
    for (const int signal : EndingSignals)
        sigaddset(&action.sa_mask, signal);
    for (std::size_t i = 0; i < std::size(EndingSignals); ++i)
        if (!ignoredFromStart(EndingSignals[i]))
            ::sigaction(EndingSignals[i], &action, &saved_[i]);
}

SignalUnlinker::~SignalUnlinker() {
    for (std::size_t i = 0; i < std::size(EndingSignals); ++i)
        if (!ignoredFromStart(EndingSignals[i]))
            ::sigaction(EndingSignals[i], &saved_[i], nullptr);
}
