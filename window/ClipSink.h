#pragma once

#include <QString>

// Records what the game window shows into an animation file. The window's menu starts and
// stops it; the writer behind it lives above the window.
class ClipSink {
  public:
    virtual ~ClipSink() = default;

    // The kind of file it writes, as a file name suffix.
    virtual QString fileSuffix() const = 0;
    // Starts a clip of what the window shows from now on. False, with errorString(), when the
    // file cannot be started.
    virtual bool start(const QString& path) = 0;
    // Finishes the clip. False, with errorString(), when it could not be completed; nothing is
    // left behind then.
    virtual bool stop() = 0;
    virtual bool recording() const = 0;
    virtual QString errorString() const = 0;
};
