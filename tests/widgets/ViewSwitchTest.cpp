#include "PixelCount.h"
#include "TestWindow.h"
#include "canvas/Palette.h"
#include "files/PictureFolder.h"
#include "window/GameActions.h"

#include <QtTest>

#include <memory>
#include <vector>

namespace {

using Actions = std::vector<Action>;

const QSize Wide(1280, 900);

Actions toTheChoice(Actions then = {}) {
    Actions actions(7, Action::Advance);
    actions.insert(actions.end(), then.begin(), then.end());
    return actions;
}

// The client area of the picture as the player sees it, whatever the image holds beyond it.
QImage picture(const GameWindow& window) {
    const RasterCanvas& canvas = window.canvas();
    return wrappedImage(canvas.pixels()).copy(QRect(QPoint(0, 0), toQSize(canvas.deviceSize())));
}

} // namespace

Q_DECLARE_METATYPE(Actions)

// Switching between actual size and the fitted view hands the painters another client: the
// scene is painted again for it, as a game played in that view from the start shows it.
class ViewSwitchTest : public QObject {
    Q_OBJECT

    struct Game {
        explicit Game(ViewMode view, double speed = 0) : test(speed, view) {
            test.window.setSettleDelay(0);
            new GameActions(test.window, nullptr, PictureFolder(dir.path()));
        }
        QTemporaryDir dir;
        TestWindow test;
    };

    static std::unique_ptr<Game> open(ViewMode view, QSize size, double speed = 0) {
        auto game = std::make_unique<Game>(view, speed);
        if (!game->test.show(size) || !game->test.activate())
            return nullptr;
        return game;
    }
    static void play(TestWindow& test, const Actions& actions) {
        for (const Action action : actions)
            test.play(action, QPoint(1, 1));
    }
    // The picture of a game played in `view` from the start at `size`.
    static QImage reference(ViewMode view, QSize size, const Actions& actions) {
        auto game = open(view, size);
        if (!game)
            return {};
        play(game->test, actions);
        return picture(game->test.window);
    }

  private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    void theFinishedPictureIsTheNewViewsFromTheStart_data() {
        QTest::addColumn<Actions>("actions");
        QTest::addColumn<int>("key");
        QTest::newRow("V at the question") << toTheChoice() << int(Qt::Key_V);
        QTest::newRow("F11 at the question") << toTheChoice() << int(Qt::Key_F11);
        QTest::newRow("V after the fire ball") << toTheChoice({Action::FireBall}) << int(Qt::Key_V);
        QTest::newRow("F11 after the flame breath")
            << toTheChoice({Action::FlameBreath}) << int(Qt::Key_F11);
        QTest::newRow("V after eating him") << toTheChoice({Action::EatHim}) << int(Qt::Key_V);
        QTest::newRow("V after another choice")
            << toTheChoice({Action::EatHim, Action::TryAnotherChoice}) << int(Qt::Key_V);
    }
    void theFinishedPictureIsTheNewViewsFromTheStart() {
        QFETCH(Actions, actions);
        QFETCH(int, key);
        auto game = open(ViewMode::Actual, Wide);
        QVERIFY(game);
        play(game->test, actions);
        game->test.key(key);
        QCOMPARE(game->test.window.viewMode(), ViewMode::Fit);
        const QImage expected = reference(ViewMode::Fit, game->test.window.size(), actions);
        QVERIFY(!expected.isNull());
        QTRY_VERIFY(picture(game->test.window) == expected);
    }

    // And back: the goblin the fitted game ate stays eaten in actual size.
    void backToActualSizeShowsThatViewsScene() {
        const Actions actions = toTheChoice({Action::EatHim});
        auto game = open(ViewMode::Fit, Wide);
        QVERIFY(game);
        play(game->test, actions);
        game->test.key(Qt::Key_V);
        QCOMPARE(game->test.window.viewMode(), ViewMode::Actual);
        const QImage expected = reference(ViewMode::Actual, Wide, actions);
        QTRY_VERIFY(picture(game->test.window) == expected);
    }

    // Eaten fullscreen, fitted; after Esc, in actual size, the goblin must not stand again.
    void escLeavesFullscreenForTheSceneInActualSize() {
        auto game = open(ViewMode::Actual, Wide);
        QVERIFY(game);
        play(game->test, toTheChoice());
        // The window manager resizes the window after the view has changed: the repaint waits
        // for the size to settle, as it does by default.
        game->test.window.setSettleDelay(100);
        game->test.key(Qt::Key_F11);
        QTRY_VERIFY(game->test.window.isFullScreen());
        game->test.play(Action::EatHim);
        game->test.key(Qt::Key_Escape);
        QTRY_COMPARE(game->test.window.size(), Wide);
        QCOMPARE(game->test.window.viewMode(), ViewMode::Actual);
        const QImage expected = reference(ViewMode::Actual, Wide, toTheChoice({Action::EatHim}));
        QTRY_VERIFY(picture(game->test.window) == expected);
    }

    // Mid-picture the part painted so far may stretch; the finished picture may not differ.
    void aSwitchMidPictureEndsAsTheNewViewsPicture() {
        const Actions before = toTheChoice();
        auto game = open(ViewMode::Actual, Wide, 1);
        QVERIFY(game);
        game->test.window.runner().setSpeed(0);
        play(game->test, before);
        game->test.window.runner().setSpeed(1);
        QTimer::singleShot(300, &game->test.window, [&] {
            QVERIFY(game->test.window.runner().busy());
            game->test.key(Qt::Key_V);
        });
        game->test.play(Action::FlameBreath);
        QCOMPARE(game->test.window.viewMode(), ViewMode::Fit);
        Actions all = before;
        all.push_back(Action::FlameBreath);
        const QImage expected = reference(ViewMode::Fit, Wide, all);
        QTRY_VERIFY(picture(game->test.window) == expected);
        QVERIFY(countPixels(expected, toQColor(Palette::GoblinGreen).rgb()) == 0);
    }
};

QTEST_MAIN(ViewSwitchTest)
#include "ViewSwitchTest.moc"
