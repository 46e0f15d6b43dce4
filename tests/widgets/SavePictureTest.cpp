#include "FileSizeLimit.h"
#include "FolderContents.h"
#include "TestWindow.h"
#include "files/PictureFolder.h"
#include "files/PictureWriter.h"
#include "window/GameActions.h"

#include <QToolTip>
#include <QtTest>

#include <memory>

// Saving what the window shows, on a screen with two device pixels to a logical one.
class SavePictureTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pictures;
    std::unique_ptr<TestWindow> game;

    void open(const QString& folder) {
        game = std::make_unique<TestWindow>(0);
        new GameActions(game->window, nullptr, PictureFolder(folder));
        QVERIFY(game->activate());
        for (int i = 0; i < 6; ++i)
            game->key(Qt::Key_Space);
    }
    void save() { game->key(Qt::Key_S, Qt::ControlModifier); }

  public:
    static void initMain() { qputenv("QT_SCALE_FACTOR", "2"); }

  private slots:
    void init() { pictures = std::make_unique<QTemporaryDir>(); }
    void cleanup() { game.reset(); }

    void theSavedPictureIsWhatTheWindowShowsInDevicePixels() {
        open(pictures->path());
        QCOMPARE(game->window.devicePixelRatio(), 2.0);
        // Once the picture is painted sharp at the screen's ratio: until then it is shown
        // stretched, and the view's rebuild may land between the save and the grab below.
        QTRY_COMPARE(game->window.canvas().scale(), 2.0);
        save();
        QStringList saved = everything(pictures->path());
        QCOMPARE(saved.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^brumox-\\d{8}-\\d{6}\\.png$"))
                    .match(saved.front())
                    .hasMatch());
        const QString path = pictures->filePath(saved.front());
        QCOMPARE(QToolTip::text(), QStringLiteral("saved to %1").arg(path));

        const QImage picture(path);
        QCOMPARE(picture.size(), QSize(2048, 1440));
        QImage shown = game->window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), shown);
        QCOMPARE(picture.pixel(2 * 266, 2 * 233), qRgb(255, 0, 0)); // the beast's body
        QCOMPARE(picture.pixel(2 * 890, 2 * 566), qRgb(0, 120, 0)); // the goblin's head

        // Never over an earlier picture, however quickly they come.
        save();
        QCOMPARE(everything(pictures->path()).size(), 2);
    }

    // A window manager may ignore the window's maximum size, and with none nothing keeps it: the
    // game still uses and saves at most MaxDeviceSide device pixels a side, bars around.
    void aWindowBeyondTheDeviceCapSavesAtMostTheCap() {
        open(pictures->path());
        game->window.setSettleDelay(0);
        game->window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const QRgb bar = toQColor(BarColour).rgb();
        const auto saveAndRead = [this] {
            save();
            const QString path = pictures->filePath(everything(pictures->path()).front());
            const QImage picture(path);
            QFile::remove(path);
            return picture;
        };

        game->window.resize(4200, 400); // 8400 x 800 device pixels
        QCOMPARE(game->window.size(), QSize(4200, 400));
        QVERIFY(wrappedImage(game->window.canvas().pixels()).width() <= MaxDeviceSide);
        const QImage wide = saveAndRead();
        QCOMPARE(wide.size(), QSize(MaxDeviceSide, 800));
        QCOMPARE(wide.pixel(2 * 266, 2 * 233),
                 qRgb(255, 0, 0)); // the beast, from the area's corner
        QCOMPARE(game->window.grab(QRect(0, 0, 52, 400)).toImage().pixel(20, 20), bar);

        game->window.setViewMode(ViewMode::Fit);
        game->window.resize(400, 4200);
        QVERIFY(wrappedImage(game->window.canvas().pixels()).height() <= MaxDeviceSide);
        const QImage tall = saveAndRead();
        QCOMPARE(tall.size(), QSize(800, MaxDeviceSide));
        QCOMPARE(tall.pixel(400, 20), bar); // above the fitted picture
        // The design at zoom 400 / 1024, its controls in the panel below it, where the layout
        // puts it in the 4096 of the area.
        const Layout layout({400, 4200}, ViewMode::Fit, 2.0);
        const double zoom = layout.zoom();
        const PixelPoint at{layout.origin().x - layout.area().x,
                            layout.origin().y - layout.area().y};
        QCOMPARE(tall.pixel(qRound(2 * (at.x + 266 * zoom)), qRound(2 * (at.y + 233 * zoom))),
                 qRgb(255, 0, 0));
    }

    void namesCountOnWithinTheSameSecond() {
        const PictureFolder folder(pictures->filePath(QStringLiteral("made/on/demand")));
        const QDateTime at(QDate(2024, 1, 2), QTime(3, 4, 5));
        QStringList names;
        for (int i = 0; i < 3; ++i) {
            const QString path = folder.newFile(QStringLiteral("gif"), at);
            names << QFileInfo(path).fileName();
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(names, QStringList({"brumox-20240102-030405.gif", "brumox-20240102-030405-2.gif",
                                     "brumox-20240102-030405-3.gif"}));
    }

    void aPictureCutShortLeavesNoFile() {
        open(pictures->path());
        {
            const FileSizeLimit nearlyFullDisk(4096);
            save();
        }
        QVERIFY(everything(pictures->path()).isEmpty());
        QVERIFY2(QToolTip::text().startsWith(QLatin1String("cannot write ")) &&
                     QToolTip::text().contains(QLatin1String("file size limit")),
                 qPrintable(QToolTip::text()));

        // Small enough to wait in the file's buffer until the very end.
        QImage noise(60, 60, QImage::Format_RGB32);
        QRandomGenerator random(5);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, random.generate() | 0xff000000);
        PictureWriter writer;
        {
            const FileSizeLimit nearlyFullDisk(4096);
            QVERIFY(!writer.write(noise, pictures->filePath(QStringLiteral("noise.png"))));
        }
        QVERIFY2(writer.errorString().contains(QLatin1String("file size limit")),
                 qPrintable(writer.errorString()));
        QVERIFY(everything(pictures->path()).isEmpty());
        QVERIFY(writer.write(noise, pictures->filePath(QStringLiteral("noise.png"))));
        QVERIFY(QFileInfo(pictures->filePath(QStringLiteral("noise.png"))).size() > 4096);
        QFile::remove(pictures->filePath(QStringLiteral("noise.png")));

        const QString nowhere = pictures->filePath(QStringLiteral("missing/picture.png"));
        QVERIFY(!writer.write(game->window.grab().toImage(), nowhere));
        QVERIFY(!writer.errorString().isEmpty());
        QVERIFY(everything(pictures->path()).isEmpty());
    }

    void aFolderThatCannotBeMadeIsNamed() {
        QFile blocker(pictures->filePath(QStringLiteral("taken")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        open(blocker.fileName() + QStringLiteral("/pictures"));
        save();
        QVERIFY(QToolTip::text().contains(blocker.fileName()));
        QCOMPARE(everything(pictures->path()), QStringList{QStringLiteral("taken")});
    }
};

QTEST_MAIN(SavePictureTest)
#include "SavePictureTest.moc"
