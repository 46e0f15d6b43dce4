#include "FolderContents.h"
#include "FormatRows.h"
#include "GifFrames.h"
#include "record/GifWriter.h"
#include "tour/Rehearsal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <numeric>

#include <sys/resource.h>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
    // The lines that are the program's own, not Qt's.
    QStringList ownErrors() const {
        return err.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^brumox:")));
    }
};

const QString size = QStringLiteral("1024x720");
const PixelSize client{1024, 720};
const QRect label(528, 104, 369, 233);
// The address space a recording of the largest window may take, in bytes. Measured: the game
// records a small window in 100 MiB, and the pictures of the largest one need over 450 MiB.
constexpr rlim_t MemoryLimit = 250ull << 20;

bool columnIs(const QImage& image, int x, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != colour)
            return false;
    return true;
}

// Where the gold lies in the lair at the design size, give or take a coin.
const QRect hoard(QPoint(3000 / 15 - 8, 8400 / 15 - 3), QPoint(7000 / 15 + 8, 720));

// A fire ball's shades, as the GIF's palette keeps them: mostly red, some green (up to gold),
// no blue. Coins look the same, and no ball flies over them, so the hoard is left out.
bool showsFire(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(row[x]) >= 200 && qGreen(row[x]) > 0 && qBlue(row[x]) == 0 &&
                !hoard.contains(x, y))
                return true;
    }
    return false;
}

} // namespace

class RecordCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytes(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The real game, with no display of any kind: a recording must choose one itself. With a
    // limit, the child gets that much of the resource, as under `ulimit`: RLIMIT_FSIZE the
    // bytes a file may have, RLIMIT_AS the memory it may map.
    void start(QProcess& process, const QStringList& arguments, int resource = RLIMIT_FSIZE,
               rlim_t limit = RLIM_INFINITY) const {
        process.setChildProcessModifier([resource, limit] {
            const rlimit given{limit, limit};
            setrlimit(resource, &given);
            // As a shell leaves them: past the limit the signal ends the program, unless it sees
            // to it; the ending signals end it, whoever runs the test.
            for (const int signal : {SIGXFSZ, SIGTERM, SIGINT, SIGHUP})
                std::signal(signal, SIG_DFL);
        });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brumox"),
                      arguments);
    }
    Outcome brumox(const QStringList& arguments, int resource = RLIMIT_FSIZE,
                   rlim_t limit = RLIM_INFINITY) const {
        QProcess process;
        start(process, arguments, resource, limit);
        Outcome outcome;
        if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit)
            return outcome;
        outcome.status = process.exitCode();
        outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
        return outcome;
    }
    Outcome record(const QString& name, const QString& steps, std::uint64_t seed,
                   const QString& clientSize = size) const {
        return brumox({QStringLiteral("--record"), path(name), QStringLiteral("--play"), steps,
                       QStringLiteral("--size"), clientSize, QStringLiteral("--fps"),
                       QStringLiteral("10"), QStringLiteral("--seed"), QString::number(seed)});
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/brumox")));
    }

    void aRecordingLastsItsNominalTimeAndEndsOnTheStill() {
        QElapsedTimer clock;
        clock.start();
        const Outcome gif = record(QStringLiteral("lair.gif"), QStringLiteral("click*2"), 5);
        const qint64 tookMs = clock.elapsed();
        QCOMPARE(gif.status, 0);
        QVERIFY2(gif.ownErrors().isEmpty(), qPrintable(gif.err));

        // The same tour, timed without painting.
        const Rehearsal rehearsal = rehearse(parseTour("click*2").steps, client, 5);
        // A recording never waits for the pictures' own pace.
        QVERIFY2(tookMs * 1'000'000 < rehearsal.nominalNs[1], qPrintable(QString::number(tookMs)));
        QCOMPARE(rehearsal.nominalNs.size(), 2u);
        QCOMPARE(rehearsal.nominalNs[0], 0);
        // 0.5 s of the opened window, 1.5 s after the title, the lair, 3 s to end on.
        const std::int64_t totalNs =
            500'000'000 + 1'500'000'000 + rehearsal.nominalNs[1] + 3'000'000'000;
        const std::vector<StoredFrame> stored = StoredFrames(bytes(QStringLiteral("lair.gif")));
        QVERIFY(stored.size() >= 5);
        QVERIFY(stored.size() <= static_cast<std::size_t>(totalNs / 100'000'000 + 1));
        const int total =
            std::accumulate(stored.begin(), stored.end(), 0,
                            [](int sum, const StoredFrame& f) { return sum + f.delay; });
        QCOMPARE(total, static_cast<int>((totalNs + 5'000'000) / 10'000'000));
        // The window as it opens, then the title, each held; the lair starts at 2 s.
        QCOMPARE(stored[0].delay, 50);
        QCOMPARE(stored[1].delay, 150);
        QVERIFY(label.contains(stored[1].rect));
        // The end is held 3 s, from the first frame boundary after the lair is done.
        QVERIFY(stored.back().delay > 290);
        // Frames are sampled every tenth of a second of nominal time.
        for (std::size_t i = 0; i + 1 < stored.size(); ++i)
            QVERIFY2(stored[i].delay % 10 == 0, qPrintable(QString::number(stored[i].delay)));
        // The first frame is whole and opaque: it is what every later one is drawn over, even
        // in a viewer that does not paint the GIF's background colour first.
        QCOMPARE(stored.front().rect, QRect(0, 0, 1024, 720));
        QCOMPARE(stored.front().transparent, NO_TRANSPARENT_COLOR);

        const QList<QImage> shown = ShownFrames(bytes(QStringLiteral("lair.gif")));
        QCOMPARE(shown.size(), static_cast<qsizetype>(stored.size()));
        QVERIFY(columnIs(shown.front(), 240, qRgb(64, 64, 64)));
        QCOMPARE(shown.back().pixel(266, 233), qRgb(255, 0, 0)); // the beast's body

        const Outcome png = record(QStringLiteral("lair.png"), QStringLiteral("click*2"), 5);
        QCOMPARE(png.status, 0);
        const QImage still(path(QStringLiteral("lair.png")));
        QCOMPARE(still.size(), QSize(1024, 720));
        QCOMPARE(shown.back(), throughPalette(still));
    }

    // A frame shows the picture as the painter holds it still, and a fire ball is on screen
    // during each of its holds: from the first frame with a ball to the last, none lacks one.
    void aFireBallInFlightIsOnEveryFrame() {
        QCOMPARE(record(QStringLiteral("fire.gif"), QStringLiteral("click*7,fire"), 5).status, 0);
        const QList<QImage> shown = ShownFrames(bytes(QStringLiteral("fire.gif")));
        QList<int> withFire, without;
        for (qsizetype i = 0; i < shown.size(); ++i)
            (showsFire(shown[i]) ? withFire : without) << static_cast<int>(i);
        QVERIFY(!withFire.isEmpty());
        for (const int frame : without)
            QVERIFY2(frame < withFire.front() || frame > withFire.back(),
                     qPrintable(QStringLiteral("no ball on frame %1 of %2..%3")
                                    .arg(frame)
                                    .arg(withFire.front())
                                    .arg(withFire.back())));
        QVERIFY(withFire.size() > 30); // four seconds of flight at ten frames a second
    }

    void theSameSeedGivesTheSameFileAnotherSeedAnotherHoard() {
        QCOMPARE(record(QStringLiteral("a.gif"), QStringLiteral("click*2"), 5).status, 0);
        QCOMPARE(record(QStringLiteral("b.gif"), QStringLiteral("click*2"), 5).status, 0);
        QCOMPARE(bytes(QStringLiteral("a.gif")), bytes(QStringLiteral("b.gif")));

        QCOMPARE(record(QStringLiteral("five.png"), QStringLiteral("click*2"), 5).status, 0);
        QCOMPARE(record(QStringLiteral("six.png"), QStringLiteral("click*2"), 6).status, 0);
        const QImage five(path(QStringLiteral("five.png")));
        const QImage six(path(QStringLiteral("six.png")));
        QCOMPARE(five.size(), six.size());
        QRect differences;
        for (int y = 0; y < five.height(); ++y)
            for (int x = 0; x < five.width(); ++x)
                if (five.pixel(x, y) != six.pixel(x, y))
                    differences |= QRect(x, y, 1, 1);
        QVERIFY(differences.width() > 100);
        QVERIFY2(hoard.contains(differences), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                             .arg(differences.x())
                                                             .arg(differences.y())
                                                             .arg(differences.width())
                                                             .arg(differences.height())));
    }

    void aResizeWidensTheAnimationAndBlackFillsWhatTheWindowLacks() {
        const Outcome outcome =
            record(QStringLiteral("wider.gif"), QStringLiteral("click*2,size:560x720,click"), 5,
                   QStringLiteral("480x720"));
        QCOMPARE(outcome.status, 0);
        const QList<QImage> shown = ShownFrames(bytes(QStringLiteral("wider.gif")));
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.front().size(), QSize(560, 720));
        QVERIFY(columnIs(shown.front(), 520, qRgb(0, 0, 0)));
        QVERIFY(!columnIs(shown.back(), 520, qRgb(0, 0, 0)));
        QCOMPARE(shown.back().pixel(520, 100), qRgb(64, 64, 64));
    }

    void whatCannotBeRecordedIsNamedAndLeavesNoFile_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("status");
        const QString out = QStringLiteral("out.gif");
        // A usage error exits 2 and says so in one line with a hint at --help; a file that
        // cannot be written exits 1.
        auto row = [&](const char* name, QStringList arguments, const char* said) {
            const QString message = QString::fromLatin1(said);
            QTest::newRow(name) << arguments << message
                                << (message.startsWith(QLatin1String("cannot write")) ? 1 : 2);
        };
        auto recording = [&](const QString& file, QStringList more) {
            return QStringList{QStringLiteral("--record"), path(file), QStringLiteral("--seed"),
                               QStringLiteral("1")} +
                   more;
        };
        row("unknown step", recording(out, {"--play", "click,jump"}), "unknown step 'jump'");
        row("bad count", recording(out, {"--play", "click*0"}), "'click*0'");
        row("hidden button", recording(out, {"--play", "fire"}),
            "step 1 'fire': the FIRE BALL button is not on screen");
        row("zero size", recording(out, {"--size", "0x10"}), "--size wants");
        row("huge size", recording(out, {"--size", "5000x10"}), "--size wants");
        row("no size", recording(out, {"--size", "big"}), "--size wants");
        row("bad size step", recording(out, {"--play", "click,size:10"}), "'size:10'");
        row("zero fps", recording(out, {"--fps", "0"}), "--fps wants");
        row("fast fps", recording(out, {"--fps", "51"}), "--fps wants");
        row("no fps", recording(out, {"--fps", "ten"}), "--fps wants");
        row("platform and record", recording(out, {"-platform", "xcb"}), "leave out -platform");
        row("fullscreen and record", recording(out, {"--fullscreen"}), "not a fullscreen");
        row("bad view", recording(out, {"--view", "zoomed"}), "--view wants fit or actual");
        row("missing folder", recording(QStringLiteral("missing/out.gif"), {}), "cannot write");
        row("a folder", recording(QStringLiteral("folder.gif"), {}), "cannot write");
        row("other kind", recording(QStringLiteral("out.jpg"), {}), "a .gif, a .webp or a .png");
        row("no recording", {"--play", "click"}, "go with --record");
    }
    void whatCannotBeRecordedIsNamedAndLeavesNoFile() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        QFETCH(int, status);
        QTemporaryDir scratch;
        // Each case in a folder of its own, to see that nothing is left behind.
        for (QString& argument : arguments)
            argument.replace(dir.path(), scratch.path());
        QVERIFY(QDir(scratch.path()).mkdir(QStringLiteral("folder.gif")));
        const Outcome outcome = brumox(arguments);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.ownErrors().size(), 1);
        QVERIFY2(outcome.ownErrors().front().contains(said), qPrintable(outcome.err));
        QCOMPARE(outcome.err.contains(QLatin1String("Try 'brumox --help'")), status == 2);
        QCOMPARE(
            QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("folder.gif")});
    }

    void aFileThatOutgrowsTheLimitIsReportedAndLeftOut_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        const auto recording = [](const char* file) {
            return QStringList{QStringLiteral("--record"), QString::fromLatin1(file),
                               QStringLiteral("--play"),   QStringLiteral("click*2"),
                               QStringLiteral("--seed"),   QStringLiteral("1")};
        };
        QTest::newRow("still") << recording("out.png") << QStringLiteral("out.png");
        QTest::newRow("GIF") << recording("out.gif") << QStringLiteral("out.gif");
        QTest::newRow("WebP") << recording("out.webp") << QStringLiteral("out.webp");
        QTest::newRow("WAV") << recording("out.wav") << QStringLiteral("out.wav");
        QTest::newRow("icon") << QStringList{QStringLiteral("--write-icon"),
                                             QStringLiteral("icon.png")}
                              << QStringLiteral("icon.png");
    }
    void aFileThatOutgrowsTheLimitIsReportedAndLeftOut() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QTemporaryDir scratch;
        for (QString& argument : arguments)
            if (argument == file)
                argument = scratch.filePath(file);
        const Outcome outcome = brumox(arguments, RLIMIT_FSIZE, 2048);
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.ownErrors().size(), 1);
        QVERIFY2(outcome.ownErrors().front().contains(QLatin1String("file size limit")),
                 qPrintable(outcome.err));
        QVERIFY(QDir(scratch.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    }

    void runningOutOfMemoryIsReportedAndLeavesNothing_data() { addFormatRows("suffix"); }
    void runningOutOfMemoryIsReportedAndLeavesNothing() {
        QFETCH(QString, suffix);
        const QString file = QStringLiteral("huge.") + suffix;
        QTemporaryDir scratch;
        // Enough for Qt and the game to start, not for the pictures of the largest window.
        const Outcome outcome =
            brumox({QStringLiteral("--record"), scratch.filePath(file), QStringLiteral("--size"),
                    QStringLiteral("4096x4096"), QStringLiteral("--play"),
                    QStringLiteral("click,click"), QStringLiteral("--speed"), QStringLiteral("0")},
                   RLIMIT_AS, MemoryLimit);
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.ownErrors().size(), 1);
        QCOMPARE(outcome.ownErrors().front(), QStringLiteral("brumox: out of memory"));
        QVERIFY2(everything(scratch.path()).isEmpty(),
                 qPrintable(everything(scratch.path()).join(QLatin1Char(' '))));
    }

    void aSignalMidRecordingLeavesNothingAndEndsTheProgram_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("file");
        QTest::newRow("TERM") << SIGTERM << QStringLiteral("tour.gif");
        QTest::newRow("INT") << SIGINT << QStringLiteral("tour.webp");
        QTest::newRow("HUP") << SIGHUP << QStringLiteral("tour.gif");
    }
    void aSignalMidRecordingLeavesNothingAndEndsTheProgram() {
        QFETCH(int, signal);
        QFETCH(QString, file);
        QTemporaryDir scratch;
        QProcess process;
        // The whole tour takes several seconds to record this large.
        start(process, {QStringLiteral("--record"), scratch.filePath(file),
                        QStringLiteral("--size"), QStringLiteral("3840x2160")});
        QVERIFY(process.waitForStarted());
        QTest::qWait(1000);
        QCOMPARE(process.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        QVERIFY(process.waitForFinished(10'000));
        // Ended by the signal itself: a shell shows 128 + signal.
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), signal);
        QVERIFY2(everything(scratch.path()).isEmpty(),
                 qPrintable(everything(scratch.path()).join(QLatin1Char(' '))));
    }

    void aLoopOfLinksIsRefusedInOneLine() {
        QTemporaryDir scratch;
        const QString icon = scratch.filePath(QStringLiteral("icon.png"));
        QVERIFY(QFile::link(QStringLiteral("other.png"), icon));
        QVERIFY(
            QFile::link(QStringLiteral("icon.png"), scratch.filePath(QStringLiteral("other.png"))));
        const Outcome outcome = brumox({QStringLiteral("--write-icon"), icon});
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.ownErrors(),
                 QStringList{
                     QStringLiteral("brumox: cannot write '%1': too many levels of symbolic links")
                         .arg(icon)});
        QCOMPARE(everything(scratch.path()),
                 QStringList({QStringLiteral("icon.png"), QStringLiteral("other.png")}));
    }

    void withNoDisplayTheGamePointsAtRecording() {
        const Outcome outcome = brumox({});
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.ownErrors().size(), 1);
        QVERIFY(outcome.ownErrors().front().contains(QLatin1String("cannot open a display")));
        QVERIFY(outcome.ownErrors().front().contains(QLatin1String("--record")));
    }

    void helpListsTheRecordingOptions() {
        const Outcome outcome = brumox({QStringLiteral("--help")});
        QCOMPARE(outcome.status, 0);
        for (const char* option : {"--record <file>", "--play <steps>", "--size <WxH>", "--fps <n>",
                                   "--seed <number>", "click*7,fire,again,flame,again,eat"})
            QVERIFY2(outcome.out.contains(QLatin1String(option)), option);
    }
};

QTEST_MAIN(RecordCommandTest)
#include "RecordCommandTest.moc"
