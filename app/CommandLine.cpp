#include "app/CommandLine.h"

#include <QCommandLineParser>

#include <cmath>

namespace {

template <typename Fail>
ParsedCommandLine parseRecording(const QCommandLineParser& parser, ParsedCommandLine& result,
                                 Fail failWith) {
    RecordOptions& options = result.options.recording;
    options.game = result.options.game;
    const QString& record = result.options.record = parser.value(QStringLiteral("record"));
    const QString suffix = record.section(QLatin1Char('.'), -1).toLower();
    if (!record.contains(QLatin1Char('.')) ||
        (suffix != QLatin1String("gif") && suffix != QLatin1String("png")))
        return failWith(
            QStringLiteral("--record writes a .gif or a .png file, not '%1'").arg(record));
    if (!result.options.platform.isEmpty())
        return failWith(QStringLiteral("--record plays with no display; leave out --platform"));

    if (parser.isSet(QStringLiteral("size"))) {
        const QString text = parser.value(QStringLiteral("size"));
        const auto client = parseClientSize(text.toStdString());
        if (!client)
            return failWith(QStringLiteral("--size wants WIDTHxHEIGHT, each from 1 to %1, not '%2'")
                                .arg(LargestSide)
                                .arg(text));
        options.size = *client;
    }
    if (parser.isSet(QStringLiteral("fps"))) {
        bool ok = false;
        const QString text = parser.value(QStringLiteral("fps"));
        options.fps = text.toInt(&ok);
        if (!ok || options.fps < 1 || options.fps > 50)
            return failWith(
                QStringLiteral("--fps wants a whole number from 1 to 50, not '%1'").arg(text));
    }
    const std::string steps = parser.isSet(QStringLiteral("play"))
                                  ? parser.value(QStringLiteral("play")).toStdString()
                                  : std::string(DefaultTour);
    ParsedTour tour = parseTour(steps);
    if (!tour.error.empty())
        return failWith(QString::fromStdString(tour.error));
    options.tour = std::move(tour.steps);
    return result;
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("BRUMOX SIMULATOR: guard your gold from a poorly drawn goblin."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Multiply the pace of the pictures by <factor> "
                                                  "(2 is twice as fast; 0 never waits)."),
                                   QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Make the gold hoard and the flames repeat: "
                                                 "use <number> as the random seed. Without it "
                                                 "they follow the clock, in recordings too."),
                                  QStringLiteral("number"));
    const QCommandLineOption platform(QStringLiteral("platform"),
                                      QStringLiteral("Qt platform plugin to use (Qt's own)."),
                                      QStringLiteral("name"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Play with no display and write what the window shows to <file>: an "
                       "animated GIF (.gif) or the last picture (.png). Never waits for real "
                       "time."),
        QStringLiteral("file"));
    const QCommandLineOption play(
        QStringLiteral("play"),
        QStringLiteral("With --record: the steps to play, separated by commas: %1 (click is a "
                       "click on the window, again is Try Another Choice, restart is Start Over, "
                       "size resizes the window). Default: %2, the whole story and each attack.")
            .arg(QString::fromStdString(stepList()),
                 QLatin1String(DefaultTour.data(), static_cast<qsizetype>(DefaultTour.size()))),
        QStringLiteral("steps"));
    const QCommandLineOption size(
        QStringLiteral("size"),
        QStringLiteral("With --record: the client area in logical pixels, up to %1x%1 "
                       "(default 1024x720).")
            .arg(LargestSide),
        QStringLiteral("WxH"));
    const QCommandLineOption fps(QStringLiteral("fps"),
                                 QStringLiteral("With --record: GIF frames per second of the "
                                                "game's own time, 1 to 50 (default 20)."),
                                 QStringLiteral("n"));
    const QCommandLineOption icon(
        QStringLiteral("write-icon"),
        QStringLiteral("Write the game's icon, 256 pixels square, to <file>.png and exit."),
        QStringLiteral("file"));
    parser.addOptions({speed, seed, platform, record, play, size, fps, icon});

    ParsedCommandLine result;
    auto failWith = [&](const QString& message) {
        result.error = QStringLiteral("brumox: %1\nTry 'brumox --help'.\n").arg(message);
        result.exitCode = 2;
        return result;
    };

    if (!parser.parse(arguments))
        return failWith(parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object Qt cannot name the program itself.
        result.output =
            parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("brumox"));
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = QStringLiteral("brumox %1\n").arg(QStringLiteral(BRUMOX_VERSION));
        result.exitCode = 0;
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return failWith(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    bool ok = false;
    const double factor = parser.value(speed).toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor < 0)
        return failWith(QStringLiteral("--speed wants a number of 0 or more, not '%1'")
                            .arg(parser.value(speed)));
    result.options.game.speed = factor;
    result.options.speedGiven = parser.isSet(speed);
    if (parser.isSet(seed)) {
        const qulonglong number = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return failWith(QStringLiteral("--seed wants a whole number of 0 or more, not '%1'")
                                .arg(parser.value(seed)));
        result.options.game.seed = number;
    }
    result.options.platform = parser.value(platform);

    if (parser.isSet(icon)) {
        result.options.icon = parser.value(icon);
        if (!result.options.icon.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
            return failWith(QStringLiteral("--write-icon writes a .png file, not '%1'")
                                .arg(result.options.icon));
        if (parser.isSet(record))
            return failWith(QStringLiteral("--write-icon and --record go one at a time"));
    }
    if (!parser.isSet(record)) {
        if (parser.isSet(play) || parser.isSet(size) || parser.isSet(fps))
            return failWith(QStringLiteral("--play, --size and --fps go with --record"));
        return result;
    }
    return parseRecording(parser, result, failWith);
}
