#include "app/CommandLine.h"

#include <QtTest>

namespace {

ParsedCommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("brumox"));
    return parseCommandLine(arguments);
}

} // namespace

// The command line by the book: usage errors exit 2 with one line and a hint, Qt's own options
// reach Qt, and nothing is played or written while parsing.
class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void usageErrorsExitTwoWithOneLineAndAHint_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        auto row = [](const char* name, QStringList arguments, const char* said) {
            QTest::newRow(name) << arguments << QString::fromLatin1(said);
        };
        row("unknown option", {"--jump"}, "Unknown option 'jump'");
        row("stray argument", {"lair.gif"}, "unexpected argument 'lair.gif'");
        row("speed too small to wait for", {"--speed", "1e-320"}, "--speed wants");
        row("speed past 64", {"--speed", "100"}, "--speed wants");
        row("negative speed", {"--speed", "-1"}, "--speed wants");
        row("speed not a number", {"--speed", "fast"}, "--speed wants");
        row("speed divided by zero", {"--speed", "1/0"}, "--speed wants");
        row("view", {"--view", "zoom"}, "--view wants fit or actual");
        row("size", {"--size", "1024"}, "--size wants");
        row("seed", {"--seed", "-3"}, "--seed wants");
        row("icon size too small", {"--write-icon", "i.png", "--icon-size", "8"}, "--icon-size");
        row("icon size alone", {"--icon-size", "32"}, "--icon-size goes with --write-icon");
        row("icon not a png", {"--write-icon", "i.svg"}, "--write-icon writes a .png");
        row("play without record", {"--play", "fire"}, "go with --record");
        row("fps without record", {"--fps", "10"}, "go with --record");
        row("icon size past 1024", {"--write-icon", "i.png", "--icon-size", "1025"}, "--icon-size");
        row("icon size just too small", {"--write-icon", "i.png", "--icon-size", "15"},
            "--icon-size");
        row("record with platform", {"--record", "x.gif", "-platform", "xcb"}, "-platform");
        row("record fullscreen", {"--record", "x.gif", "--fullscreen"}, "not a fullscreen");
        row("record muted", {"--record", "x.wav", "--mute"}, "--mute is for playing");
    }
    void usageErrorsExitTwoWithOneLineAndAHint() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const ParsedCommandLine parsed = parse(arguments);
        QCOMPARE(parsed.exitCode, std::optional<int>(2));
        QVERIFY2(parsed.error.startsWith(QLatin1String("brumox: ")), qPrintable(parsed.error));
        QVERIFY2(parsed.error.contains(said), qPrintable(parsed.error));
        QVERIFY(parsed.error.endsWith(QLatin1String("\nTry 'brumox --help'.\n")));
        QCOMPARE(parsed.error.count(QLatin1Char('\n')), 2);
    }

    void speedsFromNeverWaitingToSixtyFourTimes() {
        for (const auto& [text, factor] :
             {std::pair{"0", 0.0}, {"1/64", 1.0 / 64}, {"0.25", 0.25}, {"64", 64.0}, {"2", 2.0}}) {
            const ParsedCommandLine parsed =
                parse({QStringLiteral("--speed"), QLatin1String(text)});
            QVERIFY2(!parsed.exitCode, text);
            QCOMPARE(parsed.options.game.speed, factor);
        }
    }

    void iconSizesFromSixteenTo1024() {
        for (const int size : {16, 1024}) {
            const ParsedCommandLine parsed =
                parse({QStringLiteral("--write-icon"), QStringLiteral("i.png"),
                       QStringLiteral("--icon-size"), QString::number(size)});
            QVERIFY2(!parsed.exitCode, qPrintable(parsed.error));
            QCOMPARE(parsed.options.iconSize, size);
            QCOMPARE(parsed.options.icon, QStringLiteral("i.png"));
        }
    }

    void qtsOwnOptionsAreAcceptedAndPassedOn() {
        const ParsedCommandLine parsed =
            parse({"-session", "1234_5", "-style=fusion", "-reverse", "--speed", "2", "-display",
                   ":7", "-platform", "offscreen"});
        QVERIFY2(!parsed.exitCode, qPrintable(parsed.error));
        QCOMPARE(parsed.options.qtArguments,
                 QStringList({"-session", "1234_5", "-style=fusion", "-reverse", "-display", ":7",
                              "-platform", "offscreen"}));
        QCOMPARE(parsed.options.platform, QStringLiteral("offscreen"));
        QCOMPARE(parsed.options.game.speed, 2.0);
    }

    void muteIsForTheWindowAndListed() {
        QVERIFY(parse({"--mute", "--fullscreen"}).options.mute);
        QVERIFY(!parse({"--fullscreen"}).options.mute);
        QVERIFY(parse({"--help"}).output.contains(QLatin1String("--mute")));
    }

    void helpVersionAndTheGamesOwnChoices() {
        const ParsedCommandLine help = parse({"--help"});
        QCOMPARE(help.exitCode, std::optional<int>(0));
        QVERIFY(help.output.contains(QLatin1String("--view")));
        QVERIFY(!help.output.contains(QLatin1String("-platform <name>")));
        const ParsedCommandLine all = parse({"--help-all"});
        QCOMPARE(all.exitCode, std::optional<int>(0));
        QVERIFY(all.output.contains(QLatin1String("-platform <name>")));
        QVERIFY(all.output.contains(QLatin1String("-session <id>")));
        const ParsedCommandLine version = parse({"--version"});
        QVERIFY(version.output.contains(QLatin1String(BRUMOX_VERSION)));
        QVERIFY(version.output.contains(QLatin1String("MIT")));

        const ParsedCommandLine play =
            parse({"--view", "fit", "--fullscreen", "--size", "800x600", "--seed", "9"});
        QVERIFY2(!play.exitCode, qPrintable(play.error));
        QCOMPARE(play.options.game.view, std::optional<ViewMode>(ViewMode::Fit));
        QVERIFY(play.options.fullScreen);
        QCOMPARE(play.options.size, std::optional<QSize>(QSize(800, 600)));
        QCOMPARE(play.options.game.seed, std::optional<std::uint64_t>(9));
        QVERIFY(play.options.record.isEmpty());
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
