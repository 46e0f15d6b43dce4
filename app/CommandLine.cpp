#include "app/CommandLine.h"

#include "app/HelpGroup.h"
#include "app/QtOptions.h"
#include "game/IconPicture.h"
#include "game/Layout.h"
#include "game/Seed.h"
#include "game/SpeedSteps.h"
#include "qt/CoreToQt.h"

#include <QCommandLineParser>

namespace {

// What the options take, as the help and the errors say it.
constexpr int MostFps = 50;

QString designSize() {
    return QStringLiteral("%1x%2").arg(DesignSize.width).arg(DesignSize.height);
}

// The game's options by group, in the order --help lists them. Each group reads its own into
// Options and says what is wrong with them, or nothing.

// How the game plays and shows, in a window or in a recording.
struct GameGroup {
    const QCommandLineOption speed{QStringLiteral("speed"),
                                   QStringLiteral("Multiply the pace of the pictures by <factor>: "
                                                  "0 never waits, otherwise 1/64 to 64 (2 is "
                                                  "twice as fast)."),
                                   QStringLiteral("factor"), QStringLiteral("1")};
    const QCommandLineOption seed{QStringLiteral("seed"),
                                  QStringLiteral("Make the gold hoard and the flames repeat: use "
                                                 "<number> as the random seed. Without it they "
                                                 "follow the clock, in recordings too."),
                                  QStringLiteral("number")};
    const QCommandLineOption view{
        QStringLiteral("view"),
        QStringLiteral("How the picture fills the window: 'fit' scales the %1 design to "
                       "the window, centred; 'actual' shows it at one pixel per 15 twips with "
                       "the goblin at the lower-right corner.")
            .arg(designSize()),
        QStringLiteral("fit|actual")};
    const QCommandLineOption fullScreen{QStringLiteral("fullscreen"),
                                        QStringLiteral("Start fullscreen (always fitted).")};
    const QCommandLineOption mute{
        QStringLiteral("mute"),
        QStringLiteral("Start with the sound off, for this run only (M turns it on).")};
    const QCommandLineOption size{QStringLiteral("size"),
                                  QStringLiteral("The client area in logical pixels, from %1x%2 "
                                                 "to %3x%3 (default %4), when playing or "
                                                 "recording.")
                                      .arg(MinimumSize.width)
                                      .arg(MinimumSize.height)
                                      .arg(LargestSide)
                                      .arg(designSize()),
                                  QStringLiteral("WxH")};

    QList<QCommandLineOption> all() const { return {speed, seed, view, fullScreen, mute, size}; }
    QString read(const QCommandLineParser& parser, Options& options) const;
};

// A recording: the tour played with no display, written to a file.
struct RecordGroup {
    const QCommandLineOption record{
        QStringLiteral("record"),
        QStringLiteral("Play with no display and write what the window shows to <file>: an "
                       "animated GIF (.gif), a lossless animated WebP (.webp) or the last "
                       "picture (.png); or its sound to a WAV (.wav). Never waits for real "
                       "time."),
        QStringLiteral("file")};
    const QCommandLineOption play{
        QStringLiteral("play"),
        QStringLiteral("With --record: the steps to play, separated by commas: %1 (click is a "
                       "click on the window, again is Try Another Choice, restart is Start Over, "
                       "size resizes the window). Default: %2, the whole story and each attack.")
            .arg(QString::fromStdString(stepList()), toQString(DefaultTour)),
        QStringLiteral("steps")};
    const QCommandLineOption fps{QStringLiteral("fps"),
                                 QStringLiteral("With --record: frames per second of the game's "
                                                "own time, 1 to %1 (default %2).")
                                     .arg(MostFps)
                                     .arg(RecordOptions().fps),
                                 QStringLiteral("n")};

    QList<QCommandLineOption> all() const { return {record, play, fps}; }
    QString read(const QCommandLineParser& parser, Options& options) const;
};

// The icon, written for installers instead of playing.
struct IconGroup {
    const QCommandLineOption icon{QStringLiteral("write-icon"),
                                  QStringLiteral("Write the game's icon to <file>.png and exit."),
                                  QStringLiteral("file")};
    const QCommandLineOption iconSize{QStringLiteral("icon-size"),
                                      QStringLiteral("With --write-icon: its size in pixels, %1 "
                                                     "to %2 (default %3).")
                                          .arg(SmallestIcon)
                                          .arg(LargestIcon)
                                          .arg(Options().iconSize),
                                      QStringLiteral("n")};

    QList<QCommandLineOption> all() const { return {icon, iconSize}; }
    QString read(const QCommandLineParser& parser, Options& options, bool recording) const;
};

QString GameGroup::read(const QCommandLineParser& parser, Options& options) const {
    if (const auto factor = parseSpeed(parser.value(speed).toStdString()))
        options.game.speed = *factor;
    else
        return QStringLiteral("--speed wants 0 or a factor from 1/64 to 64, not '%1'")
            .arg(parser.value(speed));
    if (parser.isSet(seed)) {
        const auto number = parseSeed(parser.value(seed).toStdString());
        if (!number)
            return QStringLiteral("--seed wants a whole number of 0 or more, not '%1'")
                .arg(parser.value(seed));
        options.game.seed = *number;
    }
    if (parser.isSet(view)) {
        const QString mode = parser.value(view);
        options.game.view = viewNamed(mode.toStdString());
        if (!options.game.view)
            return QStringLiteral("--view wants fit or actual, not '%1'").arg(mode);
    }
    options.fullScreen = parser.isSet(fullScreen);
    options.mute = parser.isSet(mute);
    if (parser.isSet(size)) {
        const QString text = parser.value(size);
        const auto client = parseClientSize(text.toStdString());
        if (!client)
            return QStringLiteral("--size wants WIDTHxHEIGHT, each from 1 to %1, not '%2'")
                .arg(LargestSide)
                .arg(text);
        options.size = toQSize(*client);
        options.recording.size = *client;
    }
    return {};
}

// After the game's options: the recording plays the game as they say.
QString RecordGroup::read(const QCommandLineParser& parser, Options& options) const {
    if (!parser.isSet(record))
        return parser.isSet(play) || parser.isSet(fps)
                   ? QStringLiteral("--play and --fps go with --record")
                   : QString();
    options.record = parser.value(record);
    const QString suffix = options.record.section(QLatin1Char('.'), -1).toLower();
    if (!options.record.contains(QLatin1Char('.')) ||
        (suffix != QLatin1String("gif") && suffix != QLatin1String("webp") &&
         suffix != QLatin1String("png") && suffix != QLatin1String("wav")))
        return QStringLiteral(
                   "--record writes a .gif, a .webp or a .png file, or a .wav soundtrack, "
                   "not '%1'")
            .arg(options.record);
    if (!options.platform.isEmpty())
        return QStringLiteral("--record always renders off screen; leave out -platform");
    if (options.fullScreen)
        return QStringLiteral("--record records a window of --size, not a fullscreen");
    // A .wav is the soundtrack itself, and the other recordings are silent.
    if (options.mute)
        return QStringLiteral("--mute is for playing; a recording plays no sound");
    if (parser.isSet(fps)) {
        bool ok = false;
        const QString text = parser.value(fps);
        options.recording.fps = text.toInt(&ok);
        if (!ok || options.recording.fps < 1 || options.recording.fps > MostFps)
            return QStringLiteral("--fps wants a whole number from 1 to %1, not '%2'")
                .arg(MostFps)
                .arg(text);
    }
    const std::string steps =
        parser.isSet(play) ? parser.value(play).toStdString() : std::string(DefaultTour);
    ParsedTour tour = parseTour(steps);
    if (!tour.reason.empty())
        return QStringLiteral("--play ") + QString::fromStdString(tour.reason);
    options.recording.tour = std::move(tour.steps);
    options.recording.game = options.game;
    return {};
}

QString IconGroup::read(const QCommandLineParser& parser, Options& options, bool recording) const {
    if (!parser.isSet(icon))
        return parser.isSet(iconSize) ? QStringLiteral("--icon-size goes with --write-icon")
                                      : QString();
    options.icon = parser.value(icon);
    if (!options.icon.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return QStringLiteral("--write-icon writes a .png file, not '%1'").arg(options.icon);
    if (recording)
        return QStringLiteral("--write-icon and --record go one at a time");
    if (parser.isSet(iconSize)) {
        bool ok = false;
        options.iconSize = parser.value(iconSize).toInt(&ok);
        if (!ok || options.iconSize < SmallestIcon || options.iconSize > LargestIcon)
            return QStringLiteral("--icon-size wants a whole number from %1 to %2, not '%3'")
                .arg(SmallestIcon)
                .arg(LargestIcon)
                .arg(parser.value(iconSize));
    }
    return {};
}

} // namespace

QString usageError(const QString& message) {
    return QStringLiteral("brumox: %1\nTry 'brumox --help'.\n").arg(message);
}

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    ParsedCommandLine result;
    QStringList ours;
    splitQtOptions(arguments, ours, result.options.qtArguments, result.options.platform);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        toQString(GameName) + QStringLiteral(": guard your gold from a poorly drawn goblin."));
    const HelpGroup help;
    const GameGroup game;
    const RecordGroup recording;
    const IconGroup icon;
    parser.addOptions(help.all() + game.all() + recording.all() + icon.all());

    QString error;
    if (!parser.parse(ours)) {
        error = parser.errorText();
    } else if (const std::optional<QString> answer = help.answer(parser)) {
        result.output = *answer;
        result.exitCode = 0;
        return result;
    } else if (!parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
    } else {
        error = game.read(parser, result.options);
        if (error.isEmpty())
            error = icon.read(parser, result.options, parser.isSet(recording.record));
        if (error.isEmpty())
            error = recording.read(parser, result.options);
    }
    if (!error.isEmpty()) {
        result.error = usageError(error);
        result.exitCode = UsageError;
    }
    return result;
}
