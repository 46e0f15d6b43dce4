#include "PixelCount.h"
#include "TestWindow.h"
#include "canvas/Palette.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

const QRgb goblinGreen = toQColor(Palette::GoblinGreen).rgb();

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
        QVERIFY(countPixels(wrappedImage(game->window.canvas().pixels()), goblinGreen) > 0);
        game->play(Action::FireBall);
        QCOMPARE(game->window.label()->text(), QStringLiteral("Buh-Bye."));
        QCOMPARE(countPixels(wrappedImage(game->window.canvas().pixels()), goblinGreen), 0);
        for (Action after : {Action::TryAnotherChoice, Action::StartOver})
            QVERIFY(game->window.rect().contains(game->window.button(after)->geometry()));
    }

    // The picture is the design scaled to the nearest whole pixel and centred, the odd pixel
    // left over going to the bar below or to the right.
    void theBarsAreEvenAroundTheRoundedPicture_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("acrossBars"); // bars left and right, else above and below
        QTest::addColumn<int>("firstBar");
        QTest::addColumn<int>("picture");
        // 720 x 1012 / 1024 = 711.56 rows; 1024 x 700 / 720 = 995.56 columns.
        QTest::newRow("above and below") << QSize(1012, 801) << false << 44 << 712;
        QTest::newRow("left and right") << QSize(1201, 700) << true << 102 << 996;
    }
    void theBarsAreEvenAroundTheRoundedPicture() {
        QFETCH(QSize, size);
        QFETCH(bool, acrossBars);
        QFETCH(int, firstBar);
        QFETCH(int, picture);
        auto game = open(size);
        QVERIFY(game);
        const QImage shown = game->window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), size);
        const QRgb bar = toQColor(BarColour).rgb();
        // Along the middle of the window, across the bars: the lengths of the runs of bar and
        // of picture.
        const int length = acrossBars ? size.width() : size.height();
        QList<int> runs;
        bool inBar = false;
        for (int i = 0; i < length; ++i) {
            const QPoint at =
                acrossBars ? QPoint(i, size.height() / 2) : QPoint(size.width() / 2, i);
            const bool isBar = shown.pixel(at) == bar;
            if (i == 0 || isBar != inBar)
                runs << 0;
            ++runs.back();
            inBar = isBar;
        }
        QCOMPARE(runs, QList<int>({firstBar, picture, length - firstBar - picture}));
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
        QVERIFY(wrappedImage(changed->window.canvas().pixels()) ==
                wrappedImage(straight->window.canvas().pixels()));
    }

    void theBackingImageStaysWithinItsBudgetAtAHugeSize() {
        TestWindow game(0, ViewMode::Actual, std::nullopt);
        game.show(QSize(32767, 32767));
        QVERIFY(game.window.width() <= MaxDeviceSide);
        QVERIFY(game.window.height() <= MaxDeviceSide);
        game.advance(2, Corner);
        QVERIFY(wrappedImage(game.window.canvas().pixels()).width() <= MaxDeviceSide);
        QVERIFY(wrappedImage(game.window.canvas().pixels()).height() <= MaxDeviceSide);

        RasterCanvas canvas(PixelSize{100, 100});
        canvas.resize({30000, 20000}, 1.0);
        QCOMPARE(canvas.pixels().size(), (PixelSize{MaxDeviceSide, MaxDeviceSide}));
        canvas.resize({1024, 720}, 12.0);
        QVERIFY(canvas.pixels().width() <= MaxDeviceSide);
    }

    // In a small window the controls leave the picture for a panel beside it, where their
    // captions stay readable: measured as drawn, the first line of each is at least as tall as
    // a 16 pixel caption's capitals in the label and a 12 pixel one's on the buttons.
    void aSmallWindowKeepsItsCaptionsReadable() {
        auto game = open({640, 450});
        QVERIFY(game);
        game->advance(7, Corner);
        const QImage shown = game->window.grab().toImage();
        const auto firstLine = [&shown](const QRect& box, auto isText) {
            int top = -1;
            for (int y = box.top(); y <= box.bottom(); ++y) {
                bool text = false;
                for (int x = box.left(); x <= box.right() && !text; ++x)
                    text = isText(shown.pixelColor(x, y));
                if (text && top < 0)
                    top = y;
                else if (!text && top >= 0)
                    return y - top;
            }
            return top < 0 ? 0 : box.bottom() + 1 - top;
        };
        // Capitals stand about 0.73 of the font's size.
        const QRect label = game->window.label()->geometry();
        const Layout layout(toPixelSize(game->window.size()), ViewMode::Fit);
        QVERIFY(!label.intersects(toQRect(layout.picture())));
        QVERIFY(firstLine(label, [](QColor c) { return c.lightness() > 200; }) >= 11);
        for (const Action attack : {Action::FireBall, Action::FlameBreath, Action::EatHim}) {
            const QRect face = game->window.button(attack)->geometry().adjusted(5, 5, -5, -5);
            QVERIFY2(firstLine(face, [](QColor c) { return c.lightness() < 40; }) >= 8,
                     nameOf(attack).step.data());
        }
    }

    // Below a zoom of 1, what is presented while a picture paints covers every stroke: the
    // screen, never repainted whole meanwhile, ends the lair with exactly the canvas's pixels.
    void whatIsPresentedWhilePaintingCoversEveryStroke() {
        auto game = open({640, 450}, 4);
        QVERIFY(game);
        const QRect picture = toQRect(Layout(toPixelSize(game->window.size()), ViewMode::Fit,
                                             game->window.devicePixelRatioF())
                                          .picture());
        game->advance(2, Corner); // the title, then the lair, painted at four times the pace
        const QImage screen = game->window.screen()
                                  ->grabWindow(game->window.winId())
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32)
                                  .copy(picture);
        const QImage canvas = wrappedImage(game->window.canvas().pixels());
        QCOMPARE(screen.size(), canvas.size());
        QCOMPARE(countPixels(screen, screen.rect(), toQColor(Palette::Red).rgb()),
                 countPixels(canvas, canvas.rect(), toQColor(Palette::Red).rgb()));
        QVERIFY(screen == canvas.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(FitViewTest)
#include "FitViewTest.moc"
