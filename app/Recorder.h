#pragma once

#include "app/CommandLine.h"

#include <QSaveFile>
#include <QString>

#include <cstdint>

// How long a recording holds still, in nominal time, so that every caption can be read.
inline constexpr std::int64_t OpeningHoldNs = 500'000'000;   // the window as it opens
inline constexpr std::int64_t StepHoldNs = 1'500'000'000;    // after each step but a resize
inline constexpr std::int64_t ClosingHoldNs = 3'000'000'000; // after the last step

// Records options.tour: plays it through a real game window, with no display and without ever
// waiting for real time, and writes what the window showed to options.record.
class TourRecorder {
  public:
    explicit TourRecorder(const Options& options);

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

    const Options& options_;
    QSaveFile out_;
    QString error_;
};
