#include "record/ClipRecorder.h"
#include "FileSizeLimit.h"
#include "FolderContents.h"
#include "GifFrames.h"
#include "TestWindow.h"

#include <QtTest>

#include <memory>
#include <numeric>

namespace {

int centiseconds(const std::vector<StoredFrame>& frames) {
    return std::accumulate(frames.begin(), frames.end(), 0,
                           [](int sum, const StoredFrame& frame) { return sum + frame.delay; });
}

} // namespace

// Clips of the window in real time: what the window shows, twenty frames a second, in a file
// that is complete or not there at all.
class ClipRecorderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<TestWindow> game;
    GameWindow* window = nullptr;
    std::unique_ptr<ClipRecorder> clips;
    QString path;

    void open(double speed, QSize size = toQSize(DesignSize)) {
        game = std::make_unique<TestWindow>(speed);
        window = &game->window;
        QVERIFY(game->show(size));
        clips = std::make_unique<ClipRecorder>(*window);
    }
    void click() { game->advance(1); }
    QByteArray clip() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        path = folder->filePath(QStringLiteral("clip.gif"));
    }
    void cleanup() {
        clips.reset();
        game.reset();
    }

    void aClipFollowsRealTimeAtTwentyFramesASecond() {
        open(1);
        click(); // the title
        QVERIFY(clips->start(path));
        QCOMPARE(window->windowTitle(), QStringLiteral("● REC Click to continue"));
        QElapsedTimer clock;
        clock.start();
        click(); // the lair grows for two seconds, a new picture in every frame
        const qint64 paintedMs = clock.elapsed();
        QTest::qWait(500);             // nothing moves
        QVERIFY(!QFile::exists(path)); // only once it is complete
        QVERIFY(clips->stop());
        const qint64 recordedMs = clock.elapsed();
        QCOMPARE(window->windowTitle(), QStringLiteral("Click to continue"));

        const std::vector<StoredFrame> stored = StoredFrames(clip());
        QVERIFY(!stored.empty());
        QVERIFY2(
            std::abs(centiseconds(stored) * 10 - recordedMs) < 100,
            qPrintable(QStringLiteral("%1 cs, %2 ms").arg(centiseconds(stored)).arg(recordedMs)));
        const double expected = paintedMs / 1000.0 * 20;
        QVERIFY2(
            stored.size() > expected * 0.7 && stored.size() < expected * 1.2 + 3,
            qPrintable(QStringLiteral("%1 frames in %2 ms").arg(stored.size()).arg(paintedMs)));

        const QList<QImage> shown = ShownFrames(clip());
        QCOMPARE(shown.front().size(), toQSize(DesignSize));
        QCOMPARE(shown.front().pixel(266, 233), qRgb(64, 64, 64)); // before the lair
        QCOMPARE(shown.back().pixel(266, 233), qRgb(255, 0, 0));   // the beast's body
    }

    void closingTheWindowMidPictureFinishesTheClip() {
        open(1);
        click(); // the title
        QVERIFY(clips->start(path));
        QTimer::singleShot(0, this, [this] { click(); }); // the lair
        QTimer::singleShot(400, this, [this] { window->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!clips->recording());
        const std::vector<StoredFrame> stored = StoredFrames(clip());
        QVERIFY(stored.size() >= 4);
        QVERIFY2(std::abs(centiseconds(stored) - 40) <= 10,
                 qPrintable(QString::number(centiseconds(stored))));
        QCOMPARE(ShownFrames(clip()).size(), static_cast<qsizetype>(stored.size()));
    }

    // The clip keeps its size; a window that changes is fitted in, centred on black.
    void aWindowOfAnotherSizeIsFittedIntoTheClip() {
        open(0, QSize(1600, 900));
        QVERIFY(clips->start(path));
        window->resize(640, 720);
        click();
        click();
        QVERIFY(clips->stop());
        const QList<QImage> shown = ShownFrames(clip());
        QCOMPARE(shown.front().size(), QSize(1280, 720));
        const QImage& last = shown.back();
        // 640 x 720 fills the clip's height: 320 pixels of black on each side.
        QCOMPARE(last.pixel(100, 360), qRgb(0, 0, 0));
        QCOMPARE(last.pixel(1180, 360), qRgb(0, 0, 0));
        QCOMPARE(last.pixel(320 + 266, 233), qRgb(255, 0, 0));
    }

    // A window larger than the game uses, which no window manager kept from growing: the clip
    // holds what the game shows, within MaxDeviceSide a side, and none of the bars around it.
    void aWindowBeyondTheDeviceCapIsClippedToWhatTheGameUses() {
        open(0, QSize(320, 600));
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->resize(320, MaxDeviceSide + 800);
        click();
        click(); // the lair
        QVERIFY(clips->start(path));
        QVERIFY(clips->stop());
        const QImage shown = ShownFrames(clip()).front();
        QCOMPARE(shown.size(), QSize(320, MaxDeviceSide));
        const QRgb bar = toQColor(BarColour).rgb();
        for (const int row : {0, MaxDeviceSide - 1})
            for (int x = 0; x < shown.width(); ++x)
                QVERIFY(shown.pixel(x, row) != bar);
        QCOMPARE(shown.pixel(266, 233), qRgb(255, 0, 0)); // the beast, from the area's corner
    }

    void aClipCutShortLeavesNoFile() {
        open(0);
        QVERIFY(clips->start(path));
        click();
        click();
        {
            const FileSizeLimit nearlyFullDisk(4096);
            QVERIFY(!clips->stop());
        }
        QVERIFY(!clips->errorString().isEmpty());
        QVERIFY(everything(folder->path()).isEmpty());
        QCOMPARE(window->windowTitle(), QStringLiteral("Click to continue"));

        QVERIFY(!clips->start(folder->filePath(QStringLiteral("missing/clip.gif"))));
        QVERIFY(!clips->recording());
        QCOMPARE(window->windowTitle(), QStringLiteral("Click to continue"));
    }
};

QTEST_MAIN(ClipRecorderTest)
#include "ClipRecorderTest.moc"
