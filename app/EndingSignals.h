#pragma once

#include <csignal>

// The signals that ask the program to end (a kill, Ctrl+C, a closed terminal): it ends, but
// leaves nothing half-made behind.
inline constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
