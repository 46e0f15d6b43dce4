#include "app/CommandLine.h"

#include "game/IconPicture.h"
#include "game/Layout.h"
#include "game/Seed.h"
#include "game/SpeedSteps.h"
#include "qt/CoreToQt.h"
#include "window/Keys.h"

#include <QCommandLineParser>

namespace {

// What the options take, as the help and the errors say it.
constexpr int MostFps = 50;

QString designSize() {
    return QStringLiteral("%1x%2").arg(DesignSize.width).arg(DesignSize.height);
}

// Qt's own options, as the application object takes them: the first take a value (also as
// -name=value), the others stand alone.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("name"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("geometry"),        QStringLiteral("title"),
    QStringLiteral("visual"),          QStringLiteral("qmljsdebugger")};
const QStringList QtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                             QStringLiteral("nograb"), QStringLiteral("dograb"),
                             QStringLiteral("sync")};

const char* const QtHelp =
    "\nQt's own options, passed on to Qt:\n"
    "  -platform <name>          The platform plugin: xcb, wayland, offscreen, ...\n"
    "  -platformtheme <name>     The platform theme.\n"
    "  -platformpluginpath <dir> Where to look for platform plugins.\n"
    "  -plugin <name>            An extra plugin to load.\n"
    "  -display <display>        The X display to use (xcb).\n"
    "  -session <id>             Restore from an earlier session (used by session managers).\n"
    "  -style <name>             A widget style; the game keeps its own look.\n"
    "  -stylesheet <file>        A style sheet for the caption and the buttons.\n"
    "  -reverse                  Right-to-left text on the buttons.\n"
    "  -qwindowgeometry <geom>   The window's geometry, as WxH+X+Y.\n"
    "  -qwindowtitle <title>     The window's title.\n"
    "  -qwindowicon <file>       The window's icon.\n"
    "  -name, -title, -visual, -geometry, -sync, -nograb, -dograb, -widgetcount\n"
    "                            X11 and debugging options, as Qt documents them.\n";

// Every key as Qt lists the options: the names, then what they do from the options' column on,
// below the names where they reach into it.
QString keysHelp() {
    constexpr qsizetype Column = 23;
    QString help = QStringLiteral("\nKeys:\n");
    for (const KeyBinding& binding : KeyTable) {
        const QString names = QStringLiteral("  ") + toQString(binding.names());
        help += names.size() + 2 > Column
                    ? names + QLatin1Char('\n') + QString(Column, QLatin1Char(' '))
                    : names.leftJustified(Column);
        help += toQString(binding.help) + QLatin1Char('\n');
    }
    return help + QStringLiteral("A click on the window also goes on with the story, Tab moves the "
                                 "focus\nbetween the buttons, and the right mouse button opens "
                                 "the menu.\n");
}

// Splits Qt's own options from the game's; Qt's stay in order, with their values.
void splitQtOptions(const QStringList& arguments, QStringList& ours, QStringList& qt,
                    QString& platform) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool single = argument.startsWith(QLatin1Char('-')) &&
                            !argument.startsWith(QLatin1String("--")) && argument.size() > 2;
        const QString name = argument.mid(1).section(QLatin1Char('='), 0, 0);
        if (i > 0 && single && QtFlags.contains(name)) {
            qt << argument;
        } else if (i > 0 && single && QtOptionsWithValue.contains(name)) {
            qt << argument;
            QString value = argument.section(QLatin1Char('='), 1);
            if (!argument.contains(QLatin1Char('=')) && i + 1 < arguments.size()) {
                value = arguments[++i];
                qt << value;
            }
            if (name == QLatin1String("platform"))
                platform = value;
        } else {
            ours << argument;
        }
    }
}

} // namespace

QString usageError(const QString& message) {
    return QStringLiteral("brumox: %1\nTry 'brumox --help'.\n").arg(message);
}

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    ParsedCommandLine result;
    Options& options = result.options;
    QStringList ours;
    splitQtOptions(arguments, ours, options.qtArguments, options.platform);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("BRUMOX SIMULATOR: guard your gold from a poorly drawn goblin."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption helpAll(QStringLiteral("help-all"),
                                     QStringLiteral("Show this help and Qt's own options, then "
                                                    "exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and the licence, then "
                                                    "exit."));
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Multiply the pace of the pictures by <factor>: "
                                                  "0 never waits, otherwise 1/64 to 64 (2 is "
                                                  "twice as fast)."),
                                   QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Make the gold hoard and the flames repeat: use "
                                                 "<number> as the random seed. Without it they "
                                                 "follow the clock, in recordings too."),
                                  QStringLiteral("number"));
    const QCommandLineOption view(
        QStringLiteral("view"),
        QStringLiteral("How the picture fills the window: 'fit' scales the %1 design to "
                       "the window, centred; 'actual' shows it at one pixel per 15 twips with "
                       "the goblin at the lower-right corner.")
            .arg(designSize()),
        QStringLiteral("fit|actual"));
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                        QStringLiteral("Start fullscreen (always fitted)."));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("The client area in logical pixels, from %1x%2 "
                                                 "to %3x%3 (default %4), when playing or "
                                                 "recording.")
                                      .arg(MinimumSize.width)
                                      .arg(MinimumSize.height)
                                      .arg(LargestSide)
                                      .arg(designSize()),
                                  QStringLiteral("WxH"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Play with no display and write what the window shows to <file>: an "
                       "animated GIF (.gif), a lossless animated WebP (.webp) or the last "
                       "picture (.png). Never waits for real time."),
        QStringLiteral("file"));
    const QCommandLineOption play(
        QStringLiteral("play"),
        QStringLiteral("With --record: the steps to play, separated by commas: %1 (click is a "
                       "click on the window, again is Try Another Choice, restart is Start Over, "
                       "size resizes the window). Default: %2, the whole story and each attack.")
            .arg(QString::fromStdString(stepList()),
                 QLatin1String(DefaultTour.data(), static_cast<qsizetype>(DefaultTour.size()))),
        QStringLiteral("steps"));
    const QCommandLineOption fps(QStringLiteral("fps"),
                                 QStringLiteral("With --record: frames per second of the game's "
                                                "own time, 1 to %1 (default %2).")
                                     .arg(MostFps)
                                     .arg(RecordOptions().fps),
                                 QStringLiteral("n"));
    const QCommandLineOption icon(QStringLiteral("write-icon"),
                                  QStringLiteral("Write the game's icon to <file>.png and exit."),
                                  QStringLiteral("file"));
    const QCommandLineOption iconSize(QStringLiteral("icon-size"),
                                      QStringLiteral("With --write-icon: its size in pixels, %1 "
                                                     "to %2 (default %3).")
                                          .arg(SmallestIcon)
                                          .arg(LargestIcon)
                                          .arg(Options().iconSize),
                                      QStringLiteral("n"));
    parser.addOptions({help, helpAll, version, speed, seed, view, fullScreen, size, record, play,
                       fps, icon, iconSize});

    auto failWith = [&](const QString& message) {
        result.error = usageError(message);
        result.exitCode = UsageError;
        return result;
    };

    if (!parser.parse(ours))
        return failWith(parser.errorText());
    if (parser.isSet(help) || parser.isSet(helpAll)) {
        // Without an application object Qt cannot name the program itself.
        result.output =
            parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("brumox")) +
            keysHelp();
        if (parser.isSet(helpAll))
            result.output += QLatin1String(QtHelp);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = QStringLiteral("brumox %1\nBRUMOX SIMULATOR is free software under the MIT "
                                       "licence.\n")
                            .arg(QStringLiteral(BRUMOX_VERSION));
        result.exitCode = 0;
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return failWith(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    if (const auto factor = parseSpeed(parser.value(speed).toStdString()))
        options.game.speed = *factor;
    else
        return failWith(QStringLiteral("--speed wants 0 or a factor from 1/64 to 64, not '%1'")
                            .arg(parser.value(speed)));
    if (parser.isSet(seed)) {
        const auto number = parseSeed(parser.value(seed).toStdString());
        if (!number)
            return failWith(QStringLiteral("--seed wants a whole number of 0 or more, not '%1'")
                                .arg(parser.value(seed)));
        options.game.seed = *number;
    }
    if (parser.isSet(view)) {
        const QString mode = parser.value(view);
        options.game.view = viewNamed(mode.toStdString());
        if (!options.game.view)
            return failWith(QStringLiteral("--view wants fit or actual, not '%1'").arg(mode));
    }
    options.fullScreen = parser.isSet(fullScreen);
    if (parser.isSet(size)) {
        const QString text = parser.value(size);
        const auto client = parseClientSize(text.toStdString());
        if (!client)
            return failWith(QStringLiteral("--size wants WIDTHxHEIGHT, each from 1 to %1, not '%2'")
                                .arg(LargestSide)
                                .arg(text));
        options.size = toQSize(*client);
        options.recording.size = *client;
    }

    const bool recording = parser.isSet(record);
    if (parser.isSet(icon)) {
        options.icon = parser.value(icon);
        if (!options.icon.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
            return failWith(
                QStringLiteral("--write-icon writes a .png file, not '%1'").arg(options.icon));
        if (recording)
            return failWith(QStringLiteral("--write-icon and --record go one at a time"));
        if (parser.isSet(iconSize)) {
            bool ok = false;
            options.iconSize = parser.value(iconSize).toInt(&ok);
            if (!ok || options.iconSize < SmallestIcon || options.iconSize > LargestIcon)
                return failWith(QStringLiteral("--icon-size wants a whole number from %1 to %2, "
                                               "not '%3'")
                                    .arg(SmallestIcon)
                                    .arg(LargestIcon)
                                    .arg(parser.value(iconSize)));
        }
    } else if (parser.isSet(iconSize)) {
        return failWith(QStringLiteral("--icon-size goes with --write-icon"));
    }
    if (!recording) {
        if (parser.isSet(play) || parser.isSet(fps))
            return failWith(QStringLiteral("--play and --fps go with --record"));
        return result;
    }

    options.record = parser.value(record);
    const QString suffix = options.record.section(QLatin1Char('.'), -1).toLower();
    if (!options.record.contains(QLatin1Char('.')) ||
        (suffix != QLatin1String("gif") && suffix != QLatin1String("webp") &&
         suffix != QLatin1String("png")))
        return failWith(QStringLiteral("--record writes a .gif, a .webp or a .png file, not '%1'")
                            .arg(options.record));
    if (!options.platform.isEmpty())
        return failWith(QStringLiteral("--record always renders off screen; leave out -platform"));
    if (options.fullScreen)
        return failWith(QStringLiteral("--record records a window of --size, not a fullscreen"));
    if (parser.isSet(fps)) {
        bool ok = false;
        const QString text = parser.value(fps);
        options.recording.fps = text.toInt(&ok);
        if (!ok || options.recording.fps < 1 || options.recording.fps > MostFps)
            return failWith(QStringLiteral("--fps wants a whole number from 1 to %1, not '%2'")
                                .arg(MostFps)
                                .arg(text));
    }
    const std::string steps =
        parser.isSet(play) ? parser.value(play).toStdString() : std::string(DefaultTour);
    ParsedTour tour = parseTour(steps);
    if (!tour.error.empty())
        return failWith(QString::fromStdString(tour.error));
    options.recording.tour = std::move(tour.steps);
    options.recording.game = options.game;
    return result;
}
