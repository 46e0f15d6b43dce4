#include "TestWindow.h"
#include "canvas/Palette.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

const QRgb goblinGreen = toQColor(Palette::GoblinGreen).rgb();

int countPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

} // namespace

// The fitted view: the design picture scaled to any window, its controls with it.
class FitViewTest : public QObject {
    Q_OBJECT

    // The top-left corner: a bar, or the bare picture, never a control.
    static constexpr QPoint Corner{1, 1};

    static std::unique_ptr<TestWindow> open(QSize size, double speed = 0) {
        auto game = std::make_unique<TestWindow>(speed, ViewMode::Fit);
        game->window.setSettleDelay(0);
        return game->show(size) ? std::move(game) : nullptr;
    }

  private slots:
    void everyButtonIsInReachAndTheFireBallHitsAtAnySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smaller") << QSize(800, 600);
        QTest::newRow("larger") << QSize(1920, 1080);
        QTest::newRow("wider") << QSize(1600, 500);
        QTest::newRow("taller") << QSize(500, 1000);
    }
    void everyButtonIsInReachAndTheFireBallHitsAtAnySize() {
        QFETCH(QSize, size);
        auto game = open(size);
        QVERIFY(game);
        QCOMPARE(game->window.size(), size);
        QCOMPARE(game->window.canvas().width(), 15360.0f); // the painters see the design
        game->advance(7, Corner);
        for (Action attack : {Action::FireBall, Action::FlameBreath, Action::EatHim}) {
            QVERIFY(game->window.button(attack)->isVisible());
            QVERIFY(game->window.rect().contains(game->window.button(attack)->geometry()));
        }
        QVERIFY(countPixels(game->window.canvas().image(), goblinGreen) > 0);
        game->play(Action::FireBall);
        QCOMPARE(game->window.label()->text(), QStringLiteral("Buh-Bye."));
        QCOMPARE(countPixels(game->window.canvas().image(), goblinGreen), 0);
        for (Action after : {Action::TryAnotherChoice, Action::StartOver})
            QVERIFY(game->window.rect().contains(game->window.button(after)->geometry()));
    }

    void clicksOnTheBarsAdvanceAndTheScaledLabelSwallowsThem() {
        auto game = open(QSize(1600, 600));
        QVERIFY(game);
        game->click(QPoint(20, 300)); // the left bar
        QCOMPARE(game->step(), 1);
        game->click(game->window.label()->geometry().center());
        QCOMPARE(game->step(), 1);
    }

    // A zoom change while a picture paints rebuilds what is there and goes on at the new zoom:
    // the end must look as if it had been painted at that zoom all along.
    void aZoomChangeMidPictureEndsAsIfPaintedAtTheNewZoom() {
        const QSize before(700, 500), after(1500, 1050);
        auto changed = open(before, 4);
        QVERIFY(changed);
        changed->advance(1, Corner);
        QTimer::singleShot(150, &changed->window,
                           [&changed, after] { changed->window.resize(after); });
        changed->advance(1, Corner); // the lair: about half a second at four times the pace
        QCOMPARE(changed->window.size(), after);

        auto straight = open(after);
        QVERIFY(straight);
        straight->advance(2, Corner);
        QCOMPARE(changed->window.canvas().scale(), straight->window.canvas().scale());
        QVERIFY(changed->window.canvas().image() == straight->window.canvas().image());
    }

    void theBackingImageStaysWithinItsBudgetAtAHugeSize() {
        TestWindow game(0, ViewMode::Actual, std::nullopt);
        game.show(QSize(32767, 32767));
        QVERIFY(game.window.width() <= MaxDeviceSide);
        QVERIFY(game.window.height() <= MaxDeviceSide);
        game.advance(2, Corner);
        QVERIFY(game.window.canvas().image().width() <= MaxDeviceSide);
        QVERIFY(game.window.canvas().image().height() <= MaxDeviceSide);

        RasterCanvas canvas(QSize(100, 100));
        canvas.resize(QSize(30000, 20000), 1.0);
        QCOMPARE(canvas.image().size(), QSize(MaxDeviceSide, MaxDeviceSide));
        canvas.resize(QSize(1024, 720), 12.0);
        QVERIFY(canvas.image().width() <= MaxDeviceSide);
    }
};

QTEST_MAIN(FitViewTest)
#include "FitViewTest.moc"
