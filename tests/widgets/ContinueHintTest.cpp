#include "PixelCount.h"
#include "TestWindow.h"

#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

const QRgb hintText = toQColor(HintText).rgb();

} // namespace

// Fullscreen has no title bar: on the blank first screen a small hint says to click. The offscreen
// platform takes fullscreen as a real window manager does, filling its 800 x 800 screen.
class ContinueHintTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> game;

    QImage shown() const {
        return game->window.screen()
            ->grabWindow(game->window.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // Whether a player sees the hint, where the layout puts it.
    bool hintShown() const {
        const QRect at =
            toQRect(Layout(toPixelSize(game->window.size()), ViewMode::Fit).continueHint());
        return countPixels(shown(), at, hintText) > 20;
    }

  private slots:
    void init() {
        game = std::make_unique<TestWindow>(0);
        QVERIFY(game->show());
    }
    void cleanup() { game.reset(); }

    void fullscreenSaysClickOnTheBlankScreenOnly() {
        QVERIFY(!hintShown());
        game->window.toggleFullScreen();
        QTRY_COMPARE(game->window.size(), game->window.screen()->size());
        QVERIFY(hintShown());
        // A click on the hint itself is a click on the window.
        game->click(game->window.continueHint()->geometry().center());
        QCOMPARE(game->step(), 1);
        QVERIFY(!hintShown());
        game->advance(6);
        game->play(Action::EatHim);
        QVERIFY(!hintShown());
        game->play(Action::StartOver);
        QVERIFY(hintShown());
        // The picture itself never has it: a saved picture or a clip shows the blank canvas.
        QCOMPARE(countPixels(wrappedImage(game->window.canvas().pixels()),
                             wrappedImage(game->window.canvas().pixels()).rect(), hintText),
                 0);
        game->window.toggleFullScreen();
        QTRY_COMPARE(game->window.size(), toQSize(DesignSize));
        QVERIFY(!hintShown());
    }
};

QTEST_MAIN(ContinueHintTest)
#include "ContinueHintTest.moc"
