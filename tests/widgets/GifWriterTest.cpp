#include "record/GifWriter.h"
#include "GifFrames.h"

#include <QBuffer>
#include <QImageReader>
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

    void onlyChangesAreStoredAndStillsLengthenTheFrameBefore() {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        GifWriter gif;
        QVERIFY(gif.Open(out, QSize(40, 30)));
        QImage first = picture();
        QImage patched = first;
        patched.setPixel(10, 5, qRgb(255, 0, 0));
        patched.setPixel(12, 6, qRgb(0, 120, 0));
        QImage corner = patched;
        corner.setPixel(39, 29, qRgb(255, 255, 255));
        QVERIFY(gif.AddFrame(first, 0));
        QVERIFY(gif.AddFrame(patched, 100'000'000));
        QVERIFY(gif.AddFrame(patched, 200'000'000));
        QVERIFY(gif.AddFrame(corner, 300'000'000));
        QVERIFY(gif.Finish(1'000'000'000));
        QCOMPARE(gif.FramesWritten(), 3);
        out.close();

        const std::vector<StoredFrame> stored = StoredFrames(out.data());
        QCOMPARE(stored.size(), 3u);
        QCOMPARE(stored[0].rect, QRect(0, 0, 40, 30));
        QCOMPARE(stored[1].rect, QRect(10, 5, 3, 2));
        QCOMPARE(stored[2].rect, QRect(39, 29, 1, 1));
        QCOMPARE(stored[0].delay, 10);
        QCOMPARE(stored[1].delay, 20);
        QCOMPARE(stored[2].delay, 70);

        const QList<QImage> shown = ShownFrames(out.data());
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0], first);
        QCOMPARE(shown[1], patched);
        QCOMPARE(shown[2], corner);
        QBuffer again;
        again.setData(out.data());
        QImageReader reader(&again, "gif");
        QCOMPARE(reader.loopCount(), -1); // forever
    }

    void delaysAddUpToTheWholeDespiteRounding() {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        GifWriter gif;
        QVERIFY(gif.Open(out, QSize(40, 30)));
        QImage image = picture();
        for (int i = 0; i < 10; ++i) {
            image.setPixel(i, 0, qRgb(255, 255, 255));
            QVERIFY(gif.AddFrame(image, i * 1'000'000'000LL / 30)); // 3.33 cs apart
        }
        QVERIFY(gif.Finish(1'000'000'000LL / 3));
        int total = 0;
        for (const StoredFrame& frame : StoredFrames(out.data())) {
            QVERIFY(frame.delay == 3 || frame.delay == 4);
            total += frame.delay;
        }
        QCOMPARE(total, 33);
    }

    void aStillLongerThanOneDelayCanSayIsSplit() {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        GifWriter gif;
        QVERIFY(gif.Open(out, QSize(40, 30)));
        const QImage image = picture();
        QVERIFY(gif.AddFrame(image, 0));
        QVERIFY(gif.Finish(700'000'000'000LL)); // 700 s
        const std::vector<StoredFrame> stored = StoredFrames(out.data());
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(stored[0].delay, 65535);
        QCOMPARE(stored[1].delay, 70000 - 65535);
        QCOMPARE(stored[1].rect.size(), QSize(1, 1));
        const QList<QImage> shown = ShownFrames(out.data());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], image);
    }

    void aDeviceThatCannotBeWrittenIsReported() {
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        GifWriter gif;
        QVERIFY(!gif.Open(readOnly, QSize(40, 30)));
        QVERIFY(!gif.ErrorString().isEmpty());
        QVERIFY(!gif.AddFrame(picture(), 0));
        QVERIFY(!gif.Finish(1));
    }
};

QTEST_MAIN(GifWriterTest)
#include "GifWriterTest.moc"
