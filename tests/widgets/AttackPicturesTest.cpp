#include "FakeControls.h"
#include "attacks/Chewing.h"
#include "attacks/Devour.h"
#include "attacks/FireBall.h"
#include "attacks/FlameBreath.h"
#include "canvas/RasterCanvas.h"
#include "qt/CoreToQt.h"
#include "scene/Beast.h"
#include "scene/FloorAndHoard.h"
#include "scene/Goblin.h"
#include "stage/Silence.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

const QSize maximized(1024, 720); // 15360 x 10800 twips
const QSize stored(786, 621);     // 11790 x 9315 twips

const QRgb background = qRgb(64, 64, 64);
const QRgb green = qRgb(0, 120, 0);
const QRgb grey = qRgb(200, 200, 200);
const QRgb black = qRgb(0, 0, 0);
const QRgb white = qRgb(255, 255, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb darkRed = qRgb(200, 0, 0);

// A part of the picture, by the centre of a pixel in twips.
using Region = std::function<bool(double x, double y)>;
const Region anywhere = [](double, double) { return true; };

// The lair on a real canvas, with a fixed seed and no pacing: only the pictures matter here.
struct Lair {
    explicit Lair(QSize client, bool withScene = true) : canvas(toPixelSize(client)) {
        if (!withScene)
            return;
        drawBeast(stage, BodyRadius).finish();
        drawFloor(stage).finish();
        drawGoldHoard(stage, 50).finish();
        drawGoblin(stage, 600, 700).finish();
    }

    RasterCanvas canvas;
    RandomSource random{7, [] { return 0ull; }};
    Timeline timeline;
    FakeControls view;
    Stage stage{canvas, random, timeline, view, Silence::shared()};

    float W() const { return canvas.width(); }
    float H() const { return canvas.height(); }
    QImage image() const { return wrappedImage(canvas.pixels()); }
    QRgb at(double x, double y) const { return image().pixel(int(x / 15), int(y / 15)); }

    // The first pixel in `region` for which `wrong(was, now)` holds, where `was` is its colour
    // in `figure` (skipping the figure's background) and `now` its colour here; empty if none.
    QString firstWrong(const QImage& figure, const Region& region,
                       const std::function<bool(QRgb was, QRgb now)>& wrong) const {
        for (int y = 0; y < figure.height(); ++y)
            for (int x = 0; x < figure.width(); ++x)
                if (figure.pixel(x, y) != background && region((x + 0.5) * 15, (y + 0.5) * 15) &&
                    wrong(figure.pixel(x, y), image().pixel(x, y)))
                    return QStringLiteral("pixel (%1, %2) is %3")
                        .arg(x)
                        .arg(y)
                        .arg(image().pixel(x, y) & 0xffffff, 6, 16, QChar('0'));
        return {};
    }

    // The share of the figure's pixels in `region` that are still `colour`.
    double share(const QImage& figure, const Region& region, QRgb colour) const {
        int all = 0, left = 0;
        firstWrong(figure, region, [&](QRgb, QRgb now) {
            ++all;
            left += now == colour;
            return false;
        });
        return double(left) / std::max(all, 1);
    }

    // Whether the chewing arc, centre (2500, 3500) and radius 400, shows at `degrees`.
    bool arcAt(double degrees) const {
        const double a = degrees * std::numbers::pi / 180;
        const int x = int((2500 + 400 * std::cos(a)) / 15),
                  y = int((3500 - 400 * std::sin(a)) / 15);
        for (int dy = -2; dy <= 1; ++dy)
            for (int dx = -2; dx <= 1; ++dx)
                if (image().pixel(x + dx, y + dy) == darkRed)
                    return true;
        return false;
    }
};

// The standing goblin painted alone, so its pixels and their colours are known exactly.
QImage goblinAlone(QSize client) {
    Lair alone(client, false);
    drawGoblin(alone.stage, 600, 700).finish();
    return alone.image().copy();
}

} // namespace

class AttackPicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void fireBallWipesTheWholeGoblinInAMaximizedWindow() {
        Lair lair(maximized);
        double radius = 5.0;
        shootFireBall(lair.stage, radius).finish();
        // Wiped means background: no ball shade may linger either.
        const QString left = lair.firstWrong(goblinAlone(maximized), anywhere,
                                             [](QRgb, QRgb now) { return now != background; });
        QVERIFY2(left.isEmpty(), qPrintable(left));
    }

    void fireBallMissesTheLowerLeftAtTheStoredSize() {
        Lair lair(stored);
        double radius = 5.0;
        shootFireBall(lair.stage, radius).finish();
        const QImage goblin = goblinAlone(stored);
        const float W = lair.W(), H = lair.H();

        // Head, arms, wedge and the upper right of the body lie on the balls' path.
        const Region onPath = [=](double x, double y) {
            return y < H - 1460 || (x > W - 2000 && y < H - 1000);
        };
        const QString left = lair.firstWrong(goblin, onPath, [](QRgb, QRgb now) {
            return now == green || now == grey || now == black;
        });
        QVERIFY2(left.isEmpty(), qPrintable(left));

        const Region lowerLeftOfBody = [=](double x, double y) {
            return x < W - 2000 && y > H - 1000 && std::hypot(x - (W - 2000), y - (H - 1000)) < 700;
        };
        const auto foot = [=](double cx) -> Region {
            return [=](double x, double y) {
                return std::pow((x - cx) / 300, 2) + std::pow((y - (H - 400)) / 120, 2) <= 1;
            };
        };
        QVERIFY(lair.share(goblin, lowerLeftOfBody, green) > 0.8);
        QVERIFY(lair.share(goblin, foot(W - 2500), green) > 0.5);
        QVERIFY(lair.share(goblin, foot(W - 1500), green) > 0.5);
    }

    void flameLeavesTheGoblinCharredPixelForPixel() {
        Lair lair(maximized);
        breatheFlame(lair.stage, 4300, 4200).finish();
        drawCharredGoblin(lair.stage, 600, 700).finish();
        // Green and grey turn black, the black face turns white; no flame shows through.
        const QString wrong =
            lair.firstWrong(goblinAlone(maximized), anywhere, [](QRgb was, QRgb now) {
                return now != (was == black ? white : black);
            });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void flameAimsAtTheCornerOfTheResizedWindow() {
        Lair lair(stored);
        lair.canvas.resize(toPixelSize(maximized), 1.0);
        breatheFlame(lair.stage, 4300, 4200).finish();
        // Beyond the old client area only the new corner's target square can catch flame.
        int flames = 0;
        for (int y = stored.height(); y < maximized.height(); ++y)
            for (int x = stored.width(); x < maximized.width(); ++x)
                flames += qRed(lair.image().pixel(x, y)) == 255;
        QVERIFY(flames > 1000);
    }

    void eatingShutsTheJawOverTheWholeMeal_data() {
        QTest::addColumn<QSize>("client");
        // Maximized, the goblin and the scraps end inside the jaw; at the stored size outside.
        QTest::newRow("maximized") << maximized;
        QTest::newRow("stored") << stored;
    }
    void eatingShutsTheJawOverTheWholeMeal() {
        QFETCH(QSize, client);
        Lair lair(client);
        devourGoblin(lair.stage, 4000, 4000).finish();
        chewGoblin(lair.stage).finish();

        // Inside the jaw triangle, two pixels clear of its edges, all is body red. The edges are
        // left out: the devour sweep ends a sliver above the jaw's upper edge.
        const Region jaw = [](double x, double y) {
            const double upper = 3500 + (x - 4000) * (575.1 / 2817.27);
            const double lower = 5300 - (x - 4000) * (1224.9 / 2817.27);
            return x >= 4000 + 30 && y >= upper + 30 && y <= lower - 30;
        };
        int sampled = 0;
        for (int y = 0; y < lair.image().height(); ++y)
            for (int x = 0; x < lair.image().width(); ++x)
                if (jaw((x + 0.5) * 15, (y + 0.5) * 15)) {
                    ++sampled;
                    if (lair.image().pixel(x, y) != red)
                        QFAIL(qPrintable(QStringLiteral("gap at pixel (%1, %2)").arg(x).arg(y)));
                }
        QVERIFY(sampled > 5000);

        // The reel-in erased the standing goblin, grey wedge included.
        const QString left = lair.firstWrong(goblinAlone(client), anywhere, [](QRgb, QRgb now) {
            return now == green || now == grey;
        });
        QVERIFY2(left.isEmpty(), qPrintable(left));

        // The arc runs counter-clockwise from 60 degrees over the top to about 213.
        for (double degrees : {70, 90, 135, 180, 205})
            QVERIFY2(lair.arcAt(degrees), qPrintable(QString::number(degrees)));
        for (double degrees : {0, 270, 315})
            QVERIFY2(!lair.arcAt(degrees), qPrintable(QString::number(degrees)));
    }

    void eatingLeavesTheMealAndScrapsInSightAtTheStoredSize() {
        Lair lair(stored);
        devourGoblin(lair.stage, 4000, 4000).finish();
        chewGoblin(lair.stage).finish();
        const float W = lair.W(), H = lair.H();

        // The final pose: head at (W - 10600, H - 6300), where the right brow ends.
        QCOMPARE(lair.at(W - 10600 - 400, H - 6300), green);
        QCOMPARE(lair.at(W - 10600 + 400, H - 6300), green);
        QCOMPARE(lair.at(W - 10600, H - 6300 + 300), black); // mouth
        QCOMPARE(lair.at(W - 10100, H - 4700), green);       // right foot
        // No left foot: the last reel-in erase left background where it would be.
        QCOMPARE(lair.at(W - 11100, H - 4700), background);

        // The scraps, clear of the jaw and of the goblin. The radius-200 circle pins their
        // height, the right end of the radius-100 one their run across.
        QCOMPARE(lair.at(2190, 2615), green);
        QCOMPARE(lair.at(2390, 2615), green);
        QCOMPARE(lair.at(1790, 2615), green);
        for (double dy : {-150, 150})
            QCOMPARE(lair.at(2190, 2615 + dy), green);
        for (double dy : {-260, 260})
            QVERIFY(lair.at(2190, 2615 + dy) != green);
        QCOMPARE(lair.at(2470, 2615), green);
        QVERIFY(lair.at(2520, 2615) != green);
    }
};

QTEST_MAIN(AttackPicturesTest)
#include "AttackPicturesTest.moc"
