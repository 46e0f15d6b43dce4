#pragma once

#include "app/TourSteps.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// What the player asked for on the command line. With no argument the game plays as designed.
struct Options {
    double speed = 1.0;                // pace multiplier; 0 never waits for real time
    std::optional<std::uint64_t> seed; // a repeatable random source
    QString platform;                  // Qt's -platform, passed through

    // A recording plays the tour with no display and writes what the window showed.
    QString record;             // the .gif or .png to write; empty to play the game
    std::vector<TourStep> tour; // checked against the story already
    ClientSize size;            // the client area to record
    int fps = 20;               // animation frames per second of nominal time

    QString icon; // where to write the icon, for installers; empty to play the game
};

struct ParsedCommandLine {
    Options options;
    std::optional<int> exitCode; // set when the program stops right away (help, version, error)
    QString output;              // for standard output
    QString error;               // for standard error
};

ParsedCommandLine ParseCommandLine(const QStringList& arguments);
