#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the player asked for on the command line. With no argument the game plays as designed.
struct Options {
    double speed = 1.0;                // pace multiplier; 0 never waits for real time
    std::optional<std::uint64_t> seed; // a repeatable random source
    QString platform;                  // Qt's -platform, passed through
};

struct ParsedCommandLine {
    Options options;
    std::optional<int> exitCode; // set when the program stops right away (help, version, error)
    QString output;              // for standard output
    QString error;               // for standard error
};

ParsedCommandLine ParseCommandLine(const QStringList& arguments);
