#include "record/WebpWriter.h"
#include "FailingDevice.h"
#include "MemoryAnimation.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <webp/demux.h>

#include <cstring>
#include <vector>

namespace {

struct Decoded {
    QImage picture; // with the alpha the file has
    int endMs = 0;  // WebPAnimDecoder gives each frame's end
};

struct Animation {
    QSize canvas;
    int loops = -1;
    std::vector<Decoded> frames;
};

Animation decode(const QByteArray& bytes) {
    Animation animation;
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA; // QImage's ARGB32 in memory
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return animation;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    animation.canvas = QSize(int(info.canvas_width), int(info.canvas_height));
    animation.loops = int(info.loop_count);
    std::uint8_t* pixels = nullptr;
    int endMs = 0;
    while (WebPAnimDecoderGetNext(decoder, &pixels, &endMs)) {
        const QImage canvas(pixels, animation.canvas.width(), animation.canvas.height(),
                            QImage::Format_ARGB32);
        animation.frames.push_back({canvas.copy(), endMs});
    }
    WebPAnimDecoderDelete(decoder);
    return animation;
}

// Colours no palette could hold: a gradient, noise, and antialiased edges.
QImage colourful(QSize size, quint32 seed) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           y < size.height() / 2 ? qRgb(x * 255 / size.width(), y * 4, 200 - x)
                                                 : random.generate() | 0xff000000u);
    return image;
}

QImage withBall(QImage image, int x, QColor colour) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(x, 5, 21.5, 17.3));
    return image;
}

} // namespace

class WebpWriterTest : public QObject {
    Q_OBJECT

  private slots:
    void everyFrameIsThePictureExactlyForItsWholeMilliseconds() {
        const QSize screen(96, 64);
        const QImage first = colourful(screen, 1);
        const QImage ball = withBall(first, 10, QColor(255, 120, 0));
        const QImage unseen = withBall(ball, 40, QColor(0, 0, 255));
        const QImage moved = withBall(ball, 44, QColor(0, 0, 250));
        const QImage glimpse = withBall(moved, 60, Qt::white);
        const QImage noisy = colourful(screen, 2);

        MemoryAnimation<WebpWriter> webp(screen);
        QVERIFY(webp.opened());
        QVERIFY(webp->addFrame(first, 0));
        QVERIFY(webp->addFrame(ball, 100'000'000));
        QVERIFY(webp->addFrame(ball, 150'000'000)); // the same picture goes on
        // Both start at 200 ms once rounded: the first is never seen.
        QVERIFY(webp->addFrame(unseen, 200'200'000));
        QVERIFY(webp->addFrame(moved, 200'400'000));
        // Gone again within the millisecond: the picture before goes on.
        QVERIFY(webp->addFrame(glimpse, 300'300'000));
        QVERIFY(webp->addFrame(moved, 300'400'000));
        QVERIFY(webp->addFrame(noisy.convertToFormat(QImage::Format_ARGB32), 400'000'000));
        QVERIFY(webp->finish(1'000'000'000));
        QCOMPARE(webp->framesWritten(), 4);

        const Animation animation = decode(webp.bytes());
        QCOMPARE(animation.canvas, screen);
        QCOMPARE(animation.loops, 0); // forever
        const QImage expected[] = {first, ball, moved, noisy};
        const int endsMs[] = {100, 200, 400, 1000};
        QCOMPARE(animation.frames.size(), 4u);
        for (std::size_t i = 0; i < animation.frames.size(); ++i) {
            QVERIFY2(animation.frames[i].picture ==
                         expected[i].convertToFormat(QImage::Format_ARGB32),
                     qPrintable(QStringLiteral("frame %1").arg(i)));
            QCOMPARE(animation.frames[i].endMs, endsMs[i]);
        }
    }

    void durationsAddUpToTheWholeDespiteRounding() {
        MemoryAnimation<WebpWriter> webp(QSize(16, 16));
        QVERIFY(webp.opened());
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int i = 0; i < 10; ++i) {
            image.setPixel(i, 0, qRgb(255, 255, 255));
            QVERIFY(webp->addFrame(image, 5'000'000 + i * 1'000'000'000LL / 30)); // 33.3 ms apart
        }
        QVERIFY(webp->finish(5'000'000 + 1'000'000'000LL / 3));
        int previousMs = 0;
        const Animation animation = decode(webp.bytes());
        QCOMPARE(animation.frames.size(), 10u);
        for (const Decoded& frame : animation.frames) {
            const int duration = frame.endMs - previousMs;
            QVERIFY2(duration == 33 || duration == 34, qPrintable(QString::number(duration)));
            previousMs = frame.endMs;
        }
        QCOMPARE(previousMs, 333);
    }

    void aStillLongerThanOneFrameCanLastIsSplit() {
        MemoryAnimation<WebpWriter> webp(QSize(16, 16));
        QVERIFY(webp.opened());
        const QImage image = colourful(QSize(16, 16), 3);
        QVERIFY(webp->addFrame(image, 0));
        QVERIFY(webp->finish(20'000'000'000'000LL)); // 5.6 hours
        QCOMPARE(webp->framesWritten(), 2);
        const Animation animation = decode(webp.bytes());
        QCOMPARE(animation.frames.size(), 2u);
        QCOMPARE(animation.frames[0].endMs, (1 << 24) - 1);
        QCOMPARE(animation.frames[1].endMs, 20'000'000);
        QCOMPARE(animation.frames[1].picture, image.convertToFormat(QImage::Format_ARGB32));
    }

    void theUnusedAlphaByteNeverMakesAnythingTransparent() {
        QImage stray(16, 16, QImage::Format_RGB32);
        std::memset(stray.bits(), 0x40, stray.sizeInBytes()); // 0x40404040
        QImage grey(16, 16, QImage::Format_RGB32);
        grey.fill(qRgb(64, 64, 64));
        MemoryAnimation<WebpWriter> webp(QSize(16, 16));
        QVERIFY(webp.opened());
        QVERIFY(webp->addFrame(stray, 0));
        QVERIFY(webp->addFrame(grey, 100'000'000)); // the same colours
        QVERIFY(webp->finish(200'000'000));
        const Animation animation = decode(webp.bytes());
        QCOMPARE(animation.frames.size(), 1u);
        QCOMPARE(animation.frames[0].picture, grey.convertToFormat(QImage::Format_ARGB32));
    }

    void anOutputThatFillsUpIsNeverReportedAsWritten() {
        const QSize screen(64, 48);
        auto write = [&](QIODevice& out, WebpWriter& webp) {
            bool ok = webp.open(out, screen);
            for (int i = 0; i < 3; ++i)
                ok = webp.addFrame(colourful(screen, i), i * 100'000'000LL) && ok;
            return webp.finish(300'000'000) && ok;
        };
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        WebpWriter complete;
        QVERIFY(write(whole, complete));
        for (const qint64 capacity : {qint64(0), whole.size() / 2, whole.size() - 1}) {
            FailingDevice out(capacity);
            WebpWriter webp;
            QVERIFY2(!write(out, webp), qPrintable(QString::number(capacity)));
            QVERIFY(!webp.errorString().isEmpty());
        }
    }

    void aPictureOfAnotherSizeIsRefused() {
        MemoryAnimation<WebpWriter> webp(QSize(16, 16));
        QVERIFY(webp.opened());
        QVERIFY(!webp->addFrame(QImage(16, 17, QImage::Format_RGB32), 0));
        QVERIFY(webp->errorString().contains(QLatin1String("16x17")));
        QVERIFY(!webp->finish(1'000'000));
        QCOMPARE(webp.bytes().size(), 0);
    }

    void aPictureMemoryCouldNotHoldEndsTheAnimation() {
        MemoryAnimation<WebpWriter> webp(QSize(16, 16));
        QVERIFY(webp.opened());
        QVERIFY(webp->addFrame(QImage(16, 16, QImage::Format_RGB32), 0));
        // What Qt hands back when it cannot get the memory for a picture.
        QVERIFY(!webp->addFrame(QImage(), 1'000'000));
        QCOMPARE(webp->errorString(), QStringLiteral("out of memory"));
        QVERIFY(!webp->finish(2'000'000));
        QCOMPARE(webp.bytes().size(), 0);
    }
};

QTEST_MAIN(WebpWriterTest)
#include "WebpWriterTest.moc"
