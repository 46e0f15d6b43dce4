#include "window/RasterCanvas.h"

#include <QtTest>

namespace {

const QRgb background = qRgb(64, 64, 64);

// Colours of the image at a logical pixel (the top-left device pixel of it).
QRgb at(const RasterCanvas& canvas, int x, int y) {
    const qreal ratio = canvas.scale();
    return canvas.image().pixel(int(x * ratio), int(y * ratio));
}

int paintedPixels(const RasterCanvas& canvas) {
    const QImage& image = canvas.image();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != background;
    return count;
}

QRect paintedBounds(const RasterCanvas& canvas, QRgb colour) {
    const QImage& image = canvas.image();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class RasterCanvasTest : public QObject {
    Q_OBJECT

  private slots:
    void lineIncludesBothEndPoints() {
        RasterCanvas canvas(QSize(40, 20));
        canvas.line(30, 30, 150, 30, rgb(255, 0, 0));
        for (int x = 2; x <= 10; ++x)
            QCOMPARE(at(canvas, x, 2), qRgb(255, 0, 0));
        QCOMPARE(at(canvas, 1, 2), background);
        QCOMPARE(at(canvas, 11, 2), background);
        QCOMPARE(paintedPixels(canvas), 9);
    }

    void tinyCirclesPaintAtMostOnePixel() {
        for (float radius : {0.0f, 1.0f}) {
            RasterCanvas canvas(QSize(20, 20));
            canvas.setFillColor(rgb(255, 0, 0));
            canvas.circle(150, 150, radius, rgb(255, 0, 0));
            QVERIFY2(paintedPixels(canvas) <= 1,
                     qPrintable(QString::number(paintedPixels(canvas))));
        }
    }

    // Below one the aspect shrinks the height; above one the radius is the height's, and the
    // width shrinks instead.
    void theAspectSquashesOrStretchesAnEllipse() {
        const auto painted = [](QSize client, float x, float y, float radius, float aspect) {
            RasterCanvas canvas(client);
            canvas.setFillColor(rgb(255, 0, 0));
            canvas.ellipse(x, y, radius, rgb(255, 0, 0), aspect);
            return paintedBounds(canvas, qRgb(255, 0, 0));
        };
        const QRect body = painted(QSize(600, 500), 4000, 3500, 2999, 0.6f);
        // 2 x 2999 twips = 400 pixels across, 0.6 of that high.
        QVERIFY(qAbs(body.width() - 400) <= 2);
        QVERIFY(qAbs(body.height() - 240) <= 2);
        QVERIFY(qAbs(body.center().x() - 267) <= 1);
        QVERIFY(qAbs(body.center().y() - 233) <= 1);
        const QRect tall = painted(QSize(200, 200), 1500, 1500, 1500, 2.0f);
        QVERIFY(qAbs(tall.height() - 200) <= 2);
        QVERIFY(qAbs(tall.width() - 100) <= 2);
    }

    void fillsThenOutlines() {
        RasterCanvas canvas(QSize(100, 100));
        canvas.setFillColor(rgb(0, 255, 0));
        canvas.circle(750, 750, 450, rgb(255, 0, 0)); // 30 pixels across
        QCOMPARE(at(canvas, 50, 50), qRgb(0, 255, 0));
        QCOMPARE(at(canvas, 50, 20), qRgb(255, 0, 0));
        QCOMPARE(at(canvas, 80, 50), qRgb(255, 0, 0));
        QCOMPARE(at(canvas, 50, 18), background);
    }

    void arcRunsCounterClockwiseAndIsNotFilled() {
        RasterCanvas canvas(QSize(300, 300));
        canvas.setFillColor(rgb(0, 255, 0));
        // Centre (100, 100) pixels, radius 30: from the upper right, over the top, down the left.
        canvas.arc(1500, 1500, 450, rgb(200, 0, 0), 3.14f / 3, 9.42f / 2 - 1);
        const QRgb dark = qRgb(200, 0, 0);
        auto nearArc = [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (at(canvas, x + dx, y + dy) == dark)
                        return true;
            return false;
        };
        QVERIFY(nearArc(100, 70));   // top
        QVERIFY(nearArc(70, 100));   // left
        QVERIFY(!nearArc(130, 100)); // right
        QVERIFY(!nearArc(100, 130)); // bottom
        QCOMPARE(at(canvas, 100, 100), background);
        QCOMPARE(paintedBounds(canvas, qRgb(0, 255, 0)), QRect());
    }

    void clipsAndAcceptsNegativeCoordinates() {
        RasterCanvas canvas(QSize(50, 50));
        canvas.line(-1500, -1500, 1500, 1500, rgb(255, 255, 255));
        QCOMPARE(at(canvas, 0, 0), qRgb(255, 255, 255));
        QCOMPARE(at(canvas, 49, 49), qRgb(255, 255, 255));
        canvas.setFillColor(rgb(0, 0, 255));
        canvas.circle(-150, 375, 450, rgb(0, 0, 255));
        QCOMPARE(at(canvas, 0, 25), qRgb(0, 0, 255));
        QCOMPARE(at(canvas, 25, 25), qRgb(255, 255, 255));
    }

    void resizeKeepsPixelsAndFollowsTheClientSize() {
        RasterCanvas canvas(QSize(100, 80));
        canvas.line(150, 150, 300, 150, rgb(255, 0, 0));
        canvas.resize(QSize(300, 200), 1.0);
        QCOMPARE(canvas.width(), 4500.0f);
        QCOMPARE(canvas.height(), 3000.0f);
        QCOMPARE(at(canvas, 15, 10), qRgb(255, 0, 0));
        QCOMPARE(at(canvas, 250, 150), background);
        canvas.line(3000, 2250, 3150, 2250, rgb(0, 255, 0)); // only inside the grown area
        QCOMPARE(at(canvas, 205, 150), qRgb(0, 255, 0));
        canvas.resize(QSize(50, 40), 1.0);
        QCOMPARE(canvas.width(), 750.0f);
        canvas.resize(QSize(300, 200), 1.0);
        QCOMPARE(at(canvas, 205, 150), qRgb(0, 255, 0));
    }

    void highDpiDrawsCrispLogicalPixels() {
        RasterCanvas canvas(QSize(40, 20), 2.0);
        QCOMPARE(canvas.image().size(), QSize(80, 40));
        QCOMPARE(canvas.width(), 600.0f);
        canvas.line(30, 30, 150, 30, rgb(255, 0, 0));
        const QRect line = paintedBounds(canvas, qRgb(255, 0, 0));
        QCOMPARE(line.height(), 2);
        QVERIFY(qAbs(line.left() - 4) <= 1 && qAbs(line.right() - 21) <= 1);
        QCOMPARE(paintedPixels(canvas), line.width() * line.height()); // no grey fringe
    }

    void clsClearsEverythingAndMarksItDirty() {
        RasterCanvas canvas(QSize(30, 30));
        canvas.line(0, 0, 300, 300, rgb(255, 0, 0));
        QVERIFY(!canvas.takeDirty().isEmpty());
        QVERIFY(canvas.takeDirty().isEmpty());
        canvas.clear();
        QCOMPARE(paintedPixels(canvas), 0);
        QCOMPARE(canvas.takeDirty(), QRect(0, 0, 30, 30));
    }
};

QTEST_MAIN(RasterCanvasTest)
#include "RasterCanvasTest.moc"
