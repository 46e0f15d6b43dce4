#pragma once

#include "record/Recorder.h"
#include "tour/ExitStatus.h"
#include "window/GameWindow.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the player asked for on the command line. With no argument the game plays as designed.
struct Options {
    GameOptions game;
    bool fullScreen = false;
    bool mute = false;         // the sound off for this run
    std::optional<QSize> size; // the client area, in logical pixels, when playing
    // Qt's own options (-platform, -style, -session, ...), for the application object.
    QStringList qtArguments;
    QString platform; // the value of Qt's -platform, if given

    // A recording plays the tour with no display and writes what the window showed.
    QString record; // the .gif, .webp or .png to write; empty to play the game
    RecordOptions recording;

    QString icon; // where to write the icon, for installers; empty to play the game
    int iconSize = 256;
};

struct ParsedCommandLine {
    Options options;
    std::optional<int> exitCode; // set when the program stops right away (help, version, error)
    QString output;              // for standard output
    QString error;               // for standard error
};

// Parses, and nothing else: no file is touched and no game is played. A usage error comes back
// as one line and a hint at --help on standard error with exit code 2.
ParsedCommandLine parseCommandLine(const QStringList& arguments);

// The one-line message of a usage error found after parsing; it exits with UsageError.
QString usageError(const QString& message);
