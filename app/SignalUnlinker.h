#pragma once

#include "app/EndingSignals.h"

#include <csignal>
#include <iterator>

// While it lives, SIGTERM, SIGINT and SIGHUP first remove the temporary files being written
// (those TemporaryNames tracks), then end the program as they would have, so that whoever sent
// them sees death by that signal. For a program with no event loop to route them through: a
// recording plays its whole tour inside one call, and a handler that only set a flag would
// leave the file until the next frame, or forever while a picture hangs.
class SignalUnlinker {
  public:
    SignalUnlinker();
    ~SignalUnlinker();
    SignalUnlinker(const SignalUnlinker&) = delete;
    SignalUnlinker& operator=(const SignalUnlinker&) = delete;

  private:
    struct sigaction saved_[std::size(EndingSignals)] = {};
};
