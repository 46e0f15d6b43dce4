#pragma once

#include "sound/LiveMix.h"

#include <QObject>
#include <QTimer>

#include <cstdint>

class GameWindow;

// The window's sound: the cues its runner lets through, mixed live and played on the default
// audio device through SDL's audio alone (Qt owns the window and its events), muted as the
// window says. Made only for a game played in a window: a recording, the icon and the tests
// that do not make one never open a device.
//
// With no device, or once it fails or goes away, the game plays on silently after one line on
// standard error. It lives no longer than the window: going away, it closes the device, which
// stops the device's thread, before the mix it reads from goes too.
class SoundOutput : public QObject {
    Q_OBJECT

  public:
    // The device's buffer, in samples: about 11 ms at 48 kHz, the most a cue waits to start.
    static constexpr int BufferSamples = 512;

    explicit SoundOutput(GameWindow& window);
    ~SoundOutput() override;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Whether a device plays the mix.
    bool playing() const { return device_ != 0; }
    const LiveMix& mix() const { return mix_; }

  private:
    // Runs on the device's thread.
    static void fill(void* output, std::uint8_t* stream, int bytes);
    void open();
    void checkDevice();
    // The one line, and silence from now on.
    void giveUp(const char* reason);

    GameWindow& window_;
    LiveMix mix_;
    std::uint32_t device_ = 0;
    bool audioStarted_ = false;
    QTimer watch_;
};
