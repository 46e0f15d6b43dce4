#pragma once

#include "files/SafeFile.h"
#include "game/Failure.h"
#include "tour/TourScript.h"
#include "window/GameWindow.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// How long a recording holds still, in nominal time, so that every caption can be read.
inline constexpr std::int64_t OpeningHoldNs = 500'000'000;   // the window as it opens
inline constexpr std::int64_t StepHoldNs = 1'500'000'000;    // after each step but a resize
inline constexpr std::int64_t ClosingHoldNs = 3'000'000'000; // after the last step

// What a recording plays and how it samples it.
struct RecordOptions {
    GameOptions game;            // the seed matters; a recording never waits, whatever the speed
    std::vector<TourStep> tour;  // the whole story and each attack unless told otherwise
    PixelSize size = DesignSize; // the client area to record
    int fps = 20;                // animation frames per second of nominal time
};

// Records a tour: plays it through a real game window, with no display and without ever waiting
// for real time, and writes what the window showed to a .gif or a .webp (every frame) or a .png
// (the last), or what it sounded like to a .wav. The file appears only once it is whole.
//
// Errors: each step returns false and keeps what failed in failure(), for the command line to
// word; none means the game window has already reported a run-time error itself.
class TourRecorder {
  public:
    TourRecorder(const QString& path, const RecordOptions& options);

    // Plays the tour on a canvas that keeps nothing, in milliseconds: a tour that cannot be
    // played to its end is refused before anything is recorded.
    bool rehearse();
    // Before the application object exists: starts the output in a temporary file beside it,
    // so that a path that cannot be written is reported before anything is played.
    bool open();
    // Needs the application object. Only a finished recording replaces the output file; the
    // temporary goes away otherwise.
    bool play();
    const std::optional<Failure>& failure() const { return failure_; }

  private:
    // The output goes away. Where writing it failed, the file's own failure (a full disk, say)
    // comes first; otherwise the writer's, named by the file.
    bool fail(Failure failure);

    QString path_;
    RecordOptions options_;
    SafeFile out_;
    std::optional<Failure> failure_;
};
