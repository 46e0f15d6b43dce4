#pragma once

#include <csignal>

// The signals that ask the program to end (a kill, Ctrl+C, a closed terminal): it ends, but
// leaves nothing half-made behind.
inline constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal ignored from the start (nohup's SIGHUP, a background job's SIGINT) stays ignored:
// whoever started the program wants it to live on.
inline bool ignoredFromStart(int signal) {
    struct sigaction current = {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}
