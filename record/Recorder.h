#pragma once

#include "record/TourSteps.h"
#include "window/GameWindow.h"

#include <QSaveFile>
#include <QString>

#include <cstdint>

// How long a recording holds still, in nominal time, so that every caption can be read.
inline constexpr std::int64_t OpeningHoldNs = 500'000'000;   // the window as it opens
inline constexpr std::int64_t StepHoldNs = 1'500'000'000;    // after each step but a resize
inline constexpr std::int64_t ClosingHoldNs = 3'000'000'000; // after the last step

// What a recording plays and how it samples it.
struct RecordOptions {
    GameOptions game;           // the seed matters; a recording never waits, whatever the speed
    std::vector<TourStep> tour; // checked against the story already
    ClientSize size;            // the client area to record
    int fps = 20;               // animation frames per second of nominal time
};

// Records options.tour: plays it through a real game window, with no display and without ever
// waiting for real time, and writes what the window showed to options.record.
class TourRecorder {
  public:
    TourRecorder(const QString& path, const RecordOptions& options);

    // Before the application object exists: starts the output in a temporary file beside it,
    // so that a path that cannot be written is reported before anything is played.
    bool Open();
    // Needs the application object. Only a finished recording replaces the output file; the
    // temporary goes away otherwise.
    bool Play();
    // Empty when the game itself has already said what went wrong.
    const QString& Error() const { return error_; }

  private:
    bool fail(const QString& message);

    QString path_;
    const RecordOptions& options_;
    QSaveFile out_;
    QString error_;
};
