#include "canvas/Palette.h"
#include "window/GameWindow.h"
#include "window/RasterCanvas.h"

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

    std::unique_ptr<GameWindow> open(QSize size, double speed = 0) {
        GameOptions options;
        options.speed = speed;
        options.seed = 7;
        options.view = ViewMode::Fit;
        auto window = std::make_unique<GameWindow>(options);
        window->setSettleDelay(0);
        window->resize(size);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }
    static void click(GameWindow& window, QPoint at) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
    }
    // The top-left corner: a bar, or the bare picture, never a control.
    static void advance(GameWindow& window, int times) {
        for (int i = 0; i < times; ++i)
            click(window, QPoint(1, 1));
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
        auto window = open(size);
        QVERIFY(window);
        QCOMPARE(window->size(), size);
        QCOMPARE(window->canvas().width(), 15360.0f); // the painters see the design
        advance(*window, 7);
        for (Action attack : {Action::FireBall, Action::FlameBreath, Action::EatHim}) {
            QVERIFY(window->button(attack)->isVisible());
            QVERIFY(window->rect().contains(window->button(attack)->geometry()));
        }
        QVERIFY(countPixels(window->canvas().image(), goblinGreen) > 0);
        click(*window, window->button(Action::FireBall)->geometry().center());
        QCOMPARE(window->label()->text(), QStringLiteral("Buh-Bye."));
        QCOMPARE(countPixels(window->canvas().image(), goblinGreen), 0);
        for (Action after : {Action::TryAnotherChoice, Action::StartOver})
            QVERIFY(window->rect().contains(window->button(after)->geometry()));
    }

    void clicksOnTheBarsAdvanceAndTheScaledLabelSwallowsThem() {
        auto window = open(QSize(1600, 600));
        QVERIFY(window);
        click(*window, QPoint(20, 300)); // the left bar
        QCOMPARE(window->story().storyStep(), 1);
        click(*window, window->label()->geometry().center());
        QCOMPARE(window->story().storyStep(), 1);
    }

    // A zoom change while a picture paints rebuilds what is there and goes on at the new zoom:
    // the end must look as if it had been painted at that zoom all along.
    void aZoomChangeMidPictureEndsAsIfPaintedAtTheNewZoom() {
        const QSize before(700, 500), after(1500, 1050);
        auto changed = open(before, 4);
        QVERIFY(changed);
        advance(*changed, 1);
        QTimer::singleShot(150, changed.get(), [&changed, after] { changed->resize(after); });
        advance(*changed, 1); // the lair: about half a second at four times the pace
        QCOMPARE(changed->size(), after);

        auto straight = open(after);
        QVERIFY(straight);
        advance(*straight, 2);
        QCOMPARE(changed->canvas().scale(), straight->canvas().scale());
        QVERIFY(changed->canvas().image() == straight->canvas().image());
    }

    void theBackingImageStaysWithinItsBudgetAtAHugeSize() {
        GameOptions options;
        options.speed = 0;
        GameWindow window(options);
        window.resize(32767, 32767);
        window.show();
        QVERIFY(window.width() <= GameWindow::MaxDeviceSide);
        QVERIFY(window.height() <= GameWindow::MaxDeviceSide);
        advance(window, 2);
        QVERIFY(window.canvas().image().width() <= RasterCanvas::MaxImageSide);
        QVERIFY(window.canvas().image().height() <= RasterCanvas::MaxImageSide);

        RasterCanvas canvas(QSize(100, 100));
        canvas.resize(QSize(30000, 20000), 1.0);
        QCOMPARE(canvas.image().size(),
                 QSize(RasterCanvas::MaxImageSide, RasterCanvas::MaxImageSide));
        canvas.resize(QSize(1024, 720), 12.0);
        QVERIFY(canvas.image().width() <= RasterCanvas::MaxImageSide);
    }
};

QTEST_MAIN(FitViewTest)
#include "FitViewTest.moc"
