#include "record/GifWriter.h"
#include "FailingDevice.h"
#include "GifFrames.h"
#include "MemoryAnimation.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

const QRgb background = qRgb(64, 64, 64);

QImage picture(QSize size = QSize(40, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// A short scene with a bit of everything the game shows: flat colours, antialiased shapes that
// move, a patch of noise, and colours that change only below what the palette tells apart.
QList<QImage> scene() {
    QList<QImage> pictures;
    QImage image = picture(QSize(120, 90));
    {
        QPainter painter(&image);
        painter.fillRect(0, 60, 120, 30, qRgb(120, 50, 0));
        painter.fillRect(10, 65, 30, 10, qRgb(220, 210, 5));
    }
    pictures << image;
    for (int step = 0; step < 4; ++step) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(qRgb(0, 0, 0));
        painter.setBrush(QColor(255, 40 + step * 50, 0));
        painter.drawEllipse(QRectF(20 + step * 15, 20, 25, 18));
        painter.end();
        pictures << image;
    }
    QRandomGenerator random(7);
    for (int y = 5; y < 25; ++y)
        for (int x = 70; x < 110; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    pictures << image;
    // The same patch again, a third of it new.
    for (int y = 5; y < 25; ++y)
        for (int x = 70; x < 110; ++x)
            if (random.bounded(3) == 0)
                image.setPixel(x, y, random.generate() | 0xff000000u);
    pictures << image;
    // One step off the background's grey: another colour, the same index.
    {
        QPainter painter(&image);
        painter.fillRect(0, 30, 60, 20, qRgb(65, 64, 63));
        painter.fillRect(100, 80, 10, 5, qRgb(255, 255, 255));
    }
    pictures << image;
    // Everything in one rectangle changes.
    {
        QPainter painter(&image);
        painter.fillRect(0, 0, 120, 90, qRgb(0, 120, 0));
    }
    pictures << image;
    return pictures;
}

QByteArray written(const QList<QImage>& pictures) {
    MemoryAnimation<GifWriter> gif(pictures.front().size());
    bool ok = gif.opened();
    for (qsizetype i = 0; i < pictures.size(); ++i)
        ok = ok && gif->addFrame(pictures[i], i * 100'000'000LL);
    ok = ok && gif->finish(pictures.size() * 100'000'000LL);
    return ok ? gif.bytes() : QByteArray();
}

} // namespace

class GifWriterTest : public QObject {
    Q_OBJECT

  private slots:
    void thePaletteHoldsTheGameColoursExactly() {
        const QRgb exact[] = {background,          qRgb(255, 0, 0),   qRgb(200, 0, 0),
                              qRgb(150, 0, 0),     qRgb(0, 0, 0),     qRgb(255, 255, 255),
                              qRgb(120, 50, 0),    qRgb(0, 120, 0),   qRgb(200, 200, 200),
                              qRgb(255, 127, 127), qRgb(255, 63, 63), qRgb(170, 0, 0),
                              qRgb(127, 0, 0)};
        GifPalette palette;
        for (QRgb colour : exact)
            QCOMPARE(GifPalette::Colours()[palette.Nearest(colour)], colour);
        // Anything else lands within half a step of the even spread (64, 51 and 64 apart), and
        // never on the index kept for transparency.
        int worst = 0;
        for (int r = 0; r < 256; r += 5)
            for (int g = 0; g < 256; g += 7)
                for (int b = 0; b < 256; b += 9) {
                    const std::uint8_t index = palette.Nearest(qRgb(r, g, b));
                    QVERIFY(index != GifPalette::Transparent);
                    const QRgb chosen = GifPalette::Colours()[index];
                    const int dr = qRed(chosen) - r, dg = qGreen(chosen) - g,
                              db = qBlue(chosen) - b;
                    worst = std::max(worst, dr * dr + dg * dg + db * db);
                }
        QVERIFY2(worst <= 32 * 32 + 26 * 26 + 32 * 32, qPrintable(QString::number(worst)));
        // Coins stay gold: red and green 200 to 254, no blue.
        for (int red = 200; red < 255; ++red)
            for (int green = 200; green < 255; ++green) {
                const QRgb gold = GifPalette::Colours()[palette.Nearest(qRgb(red, green, 0))];
                QVERIFY(qRed(gold) >= 200 && qGreen(gold) >= 200 && qBlue(gold) == 0);
            }
    }

    void everyFrameShowsItsPictureThroughThePalette() {
        const QList<QImage> pictures = scene();
        const QByteArray gif = written(pictures);
        QVERIFY(!gif.isEmpty());
        const QList<QImage> composed = ComposedFrames(gif);
        const QList<QImage> shown = ShownFrames(gif);
        QCOMPARE(composed.size(), pictures.size());
        QCOMPARE(shown.size(), pictures.size());
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            const QImage expected = throughPalette(pictures[i]);
            QVERIFY2(composed[i] == expected, qPrintable(QStringLiteral("frame %1").arg(i)));
            QVERIFY2(shown[i] == expected, qPrintable(QStringLiteral("Qt's frame %1").arg(i)));
        }

        const std::vector<StoredFrame> stored = StoredFrames(gif);
        // The first frame keeps nothing; a ball moving over a still scene keeps most of its
        // rectangle; colours the palette does not tell apart are kept too.
        QCOMPARE(stored[0].transparent, NO_TRANSPARENT_COLOR);
        QCOMPARE(stored[2].transparent, int(GifPalette::Transparent));
        QCOMPARE(stored[7].rect, QRect(0, 30, 110, 55));
        QCOMPARE(stored[7].transparent, int(GifPalette::Transparent));
        // Where every pixel changes there is nothing to keep.
        QCOMPARE(stored[8].transparent, NO_TRANSPARENT_COLOR);
    }

    void onlyChangesAreStoredAndStillsLengthenTheFrameBefore() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        QImage first = picture();
        QImage patched = first;
        patched.setPixel(10, 5, qRgb(255, 0, 0));
        patched.setPixel(12, 6, qRgb(0, 120, 0));
        QImage corner = patched;
        corner.setPixel(39, 29, qRgb(255, 255, 255));
        QVERIFY(gif->addFrame(first, 0));
        QVERIFY(gif->addFrame(patched, 100'000'000));
        QVERIFY(gif->addFrame(patched, 200'000'000));
        QVERIFY(gif->addFrame(corner, 300'000'000));
        QVERIFY(gif->finish(1'000'000'000));
        QCOMPARE(gif->framesWritten(), 3);

        const std::vector<StoredFrame> stored = StoredFrames(gif.bytes());
        QCOMPARE(stored.size(), 3u);
        QCOMPARE(stored[0].rect, QRect(0, 0, 40, 30));
        QCOMPARE(stored[1].rect, QRect(10, 5, 3, 2));
        QCOMPARE(stored[2].rect, QRect(39, 29, 1, 1));
        QCOMPARE(stored[0].delay, 10);
        QCOMPARE(stored[1].delay, 20);
        QCOMPARE(stored[2].delay, 70);

        const QList<QImage> shown = ShownFrames(gif.bytes());
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0], first);
        QCOMPARE(shown[1], patched);
        QCOMPARE(shown[2], corner);
        QBuffer again;
        again.setData(gif.bytes());
        QImageReader reader(&again, "gif");
        QCOMPARE(reader.loopCount(), -1); // forever
    }

    void delaysAddUpToTheWholeDespiteRounding() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        QImage image = picture();
        for (int i = 0; i < 10; ++i) {
            image.setPixel(i, 0, qRgb(255, 255, 255));
            QVERIFY(gif->addFrame(image, i * 1'000'000'000LL / 30)); // 3.33 cs apart
        }
        QVERIFY(gif->finish(1'000'000'000LL / 3));
        int total = 0;
        for (const StoredFrame& frame : StoredFrames(gif.bytes())) {
            QVERIFY(frame.delay == 3 || frame.delay == 4);
            total += frame.delay;
        }
        QCOMPARE(total, 33);
    }

    // Pictures from 0, 9.6 and 20.4 cs to 30: rounded, each lasts 10; truncated or rounded up,
    // one of the first two does not.
    void delaysRoundToTheNearestCentisecond() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        QImage image = picture();
        const std::int64_t starts[] = {0, 96'000'000, 204'000'000};
        for (int i = 0; i < 3; ++i) {
            image.setPixel(i, 0, qRgb(255, 255, 255));
            QVERIFY(gif->addFrame(image, starts[i]));
        }
        QVERIFY(gif->finish(300'000'000));
        const std::vector<StoredFrame> stored = StoredFrames(gif.bytes());
        QCOMPARE(stored.size(), 3u);
        for (const StoredFrame& frame : stored)
            QCOMPARE(frame.delay, 10);
    }

    void aStillLongerThanOneDelayCanSayIsSplit() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        const QImage image = picture();
        QVERIFY(gif->addFrame(image, 0));
        QVERIFY(gif->finish(700'000'000'000LL)); // 700 s
        const std::vector<StoredFrame> stored = StoredFrames(gif.bytes());
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(stored[0].delay, 65535);
        QCOMPARE(stored[1].delay, 70000 - 65535);
        QCOMPARE(stored[1].rect.size(), QSize(1, 1));
        const QList<QImage> shown = ShownFrames(gif.bytes());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], image);
    }

    void aPictureOfAnotherSizeIsRefused() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        QVERIFY(gif->addFrame(picture(), 0));
        QVERIFY(!gif->addFrame(picture(QSize(40, 31)), 1));
        QVERIFY(gif->errorString().contains(QLatin1String("40x31")));
        QVERIFY(!gif->finish(2));
    }

    void aPictureMemoryCouldNotHoldEndsTheAnimation() {
        MemoryAnimation<GifWriter> gif(QSize(40, 30));
        QVERIFY(gif.opened());
        QVERIFY(gif->addFrame(picture(), 0));
        // What Qt hands back when it cannot get the memory for a picture.
        QVERIFY(!gif->addFrame(QImage(), 1));
        QCOMPARE(gif->errorString(), QStringLiteral("out of memory"));
        QVERIFY(!gif->addFrame(picture(), 2));
        QVERIFY(!gif->finish(3));
    }

    void anOutputThatFillsUpIsNeverReportedAsWritten() {
        const QList<QImage> pictures = scene();
        const qint64 whole = written(pictures).size();
        // Full before the header, in the middle of a frame, and one byte short of the end.
        for (const qint64 capacity : {qint64(0), qint64(20), whole / 2, whole - 1}) {
            FailingDevice out(capacity);
            GifWriter gif;
            bool ok = gif.open(out, pictures.front().size());
            for (qsizetype i = 0; i < pictures.size(); ++i)
                ok = gif.addFrame(pictures[i], i * 100'000'000LL) && ok;
            ok = gif.finish(pictures.size() * 100'000'000LL) && ok;
            QVERIFY2(!ok, qPrintable(QString::number(capacity)));
            QVERIFY(!gif.errorString().isEmpty());
            // Once refused, it stops writing.
            QVERIFY2(out.refused() <= 1, qPrintable(QString::number(out.refused())));
        }
        FailingDevice roomy(whole);
        GifWriter gif;
        QVERIFY(gif.open(roomy, pictures.front().size()));
        for (qsizetype i = 0; i < pictures.size(); ++i)
            QVERIFY(gif.addFrame(pictures[i], i * 100'000'000LL));
        QVERIFY(gif.finish(pictures.size() * 100'000'000LL));
    }

    void aDeviceThatCannotBeWrittenIsReported() {
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        GifWriter gif;
        QVERIFY(!gif.open(readOnly, QSize(40, 30)));
        QVERIFY(!gif.errorString().isEmpty());
        QVERIFY(!gif.addFrame(picture(), 0));
        QVERIFY(!gif.finish(1));
    }
};

QTEST_MAIN(GifWriterTest)
#include "GifWriterTest.moc"
