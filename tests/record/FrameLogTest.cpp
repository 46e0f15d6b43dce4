// Recordings frame by frame against logs kept in the repository: each frame's start and a
// checksum of what it shows outside the label and the buttons, whose captions come from the
// system's fonts. Any change to the painters, the pacing or how the recorder samples them shows
// here as a frame that moved or changed. BRUMOX_WRITE_FRAME_LOGS=FOLDER writes the logs there
// instead, to be looked at and kept when a change is meant.
#include "GifFrames.h"
#include "game/Layout.h"
#include "qt/CoreToQt.h"
#include "tour/TourScript.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>

namespace {

struct Tour {
    const char* name;
    QStringList arguments; // besides --record
};

// The whole default tour as the README's pictures are made, then smaller windows, a resize in
// each direction on the way, the fitted panel, and other frame rates.
const QList<Tour> Tours{
    {"default", {"--seed", "1966"}},
    {"fitted-small",
     {"--seed", "5", "--view", "fit", "--size", "640x450", "--fps", "10", "--play",
      "click*7,flame,again,eat"}},
    {"resized",
     {"--seed", "9", "--fps", "10", "--play",
      "click*7,fire,again,size:800x600,flame,size:1024x720,again,eat"}},
    {"restarted",
     {"--seed", "2", "--size", "960x700", "--fps", "12", "--play",
      "click*7,eat,restart,click*7,fire"}},
};

QString argument(const QStringList& arguments, const QString& name, const QString& otherwise) {
    const auto at = arguments.indexOf(name);
    return at >= 0 ? arguments[at + 1] : otherwise;
}

// Where the label and the buttons may be in any window the tour passes through.
QRegion controls(const QStringList& arguments) {
    const ViewMode view = argument(arguments, QStringLiteral("--view"), QStringLiteral("actual")) ==
                                  QLatin1String("fit")
                              ? ViewMode::Fit
                              : ViewMode::Actual;
    std::vector<PixelSize> sizes{*parseClientSize(
        argument(arguments, QStringLiteral("--size"), QStringLiteral("1024x720")).toStdString())};
    const QString play = argument(arguments, QStringLiteral("--play"), QString());
    for (const TourStep& step : parseTour(play.isEmpty() ? DefaultTour : play.toStdString()).steps)
        if (const auto* size = std::get_if<PixelSize>(&step))
            sizes.push_back(*size);
    QRegion region;
    for (const PixelSize size : sizes) {
        const Layout layout(size, view);
        region += toQRect(layout.label());
        for (const Action action : Layout::StackingOrder)
            region += toQRect(layout.button(action));
    }
    return region;
}

// FNV-1a over the pixels outside `masked`, row by row.
std::uint64_t checksum(const QImage& frame, const QRegion& masked) {
    std::uint64_t hash = 14695981039346656037ull;
    for (int y = 0; y < frame.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (masked.contains(QPoint(x, y)))
                continue;
            for (const int channel : {qRed(row[x]), qGreen(row[x]), qBlue(row[x])}) {
                hash ^= static_cast<std::uint64_t>(channel);
                hash *= 1099511628211ull;
            }
        }
    }
    return hash;
}

} // namespace

class FrameLogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // The log of a recording: a line for each frame, its start in centiseconds and its checksum.
    QByteArray logOf(const Tour& tour) {
        const QString gif = dir.filePath(QLatin1String(tour.name) + QStringLiteral(".gif"));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brumox"),
                      QStringList{QStringLiteral("--record"), gif} + tour.arguments);
        if (!process.waitForFinished(60'000) || process.exitCode() != 0)
            return process.readAllStandardError();
        QFile file(gif);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QRegion masked = controls(tour.arguments);
        QByteArray log =
            "# brumox --record OUT.gif " + tour.arguments.join(QLatin1Char(' ')).toUtf8() + "\n";
        int startCs = 0;
        ReadGif(file.readAll(), [&](const StoredFrame& stored, const QImage& screen) {
            log += QByteArray::number(startCs) + ' ' +
                   QByteArray::number(qulonglong(checksum(screen, masked)), 16)
                       .rightJustified(16, '0') +
                   '\n';
            startCs += stored.delay;
        });
        return log + "end " + QByteArray::number(startCs) + '\n';
    }

  private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void everyFrameStartsAndShowsAsLogged_data() {
        QTest::addColumn<int>("tour");
        for (int i = 0; i < Tours.size(); ++i)
            QTest::newRow(Tours[i].name) << i;
    }
    void everyFrameStartsAndShowsAsLogged() {
        QFETCH(int, tour);
        const QByteArray log = logOf(Tours[tour]);
        QVERIFY2(log.startsWith('#'), log.constData());
        const QString name = QLatin1String(Tours[tour].name) + QStringLiteral(".log");
        if (const QByteArray out = qgetenv("BRUMOX_WRITE_FRAME_LOGS"); !out.isEmpty()) {
            QFile file(QString::fromLocal8Bit(out) + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(log) == log.size());
            return;
        }
        QFile kept(QStringLiteral(BRUMOX_SOURCE_DIR "/tests/record/frame-logs/") + name);
        QVERIFY2(kept.open(QIODevice::ReadOnly), qPrintable(kept.fileName()));
        const QList<QByteArray> want = kept.readAll().split('\n');
        const QList<QByteArray> got = log.split('\n');
        for (int i = 0; i < std::min(want.size(), got.size()); ++i)
            QVERIFY2(want[i] == got[i], qPrintable(QStringLiteral("line %1: %2 instead of %3")
                                                       .arg(i + 1)
                                                       .arg(QString::fromLatin1(got[i]),
                                                            QString::fromLatin1(want[i]))));
        QCOMPARE(got.size(), want.size());
    }
};

QTEST_MAIN(FrameLogTest)
#include "FrameLogTest.moc"
