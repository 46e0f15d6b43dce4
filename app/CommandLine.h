#pragma once

#include "record/Recorder.h"
#include "window/GameWindow.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// What the player asked for on the command line. With no argument the game plays as designed.
struct Options {
    GameOptions game;
    // --speed was given: it wins over the remembered speed, and is not remembered.
    bool speedGiven = false;
    QString platform; // Qt's -platform, passed through

    // A recording plays the tour with no display and writes what the window showed.
    QString record; // the .gif or .png to write; empty to play the game
    RecordOptions recording;

    QString icon; // where to write the icon, for installers; empty to play the game
};

struct ParsedCommandLine {
    Options options;
    std::optional<int> exitCode; // set when the program stops right away (help, version, error)
    QString output;              // for standard output
    QString error;               // for standard error
};

ParsedCommandLine parseCommandLine(const QStringList& arguments);
