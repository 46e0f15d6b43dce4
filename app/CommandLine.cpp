#include "app/CommandLine.h"

#include <QCommandLineParser>

#include <cmath>

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
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
                                                 "use <number> as the random seed."),
                                  QStringLiteral("number"));
    const QCommandLineOption platform(QStringLiteral("platform"),
                                      QStringLiteral("Qt platform plugin to use (Qt's own)."),
                                      QStringLiteral("name"));
    parser.addOptions({speed, seed, platform});

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
    result.options.speed = factor;
    if (parser.isSet(seed)) {
        const qulonglong number = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return failWith(QStringLiteral("--seed wants a whole number of 0 or more, not '%1'")
                                .arg(parser.value(seed)));
        result.options.seed = number;
    }
    result.options.platform = parser.value(platform);
    return result;
}
