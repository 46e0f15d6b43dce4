#include "TestWindow.h"
#include "window/ButtonKeys.h"

#include <QtTest>

#include <memory>

// Playing from the keyboard: the keys that go on with the story and the letters that press the
// buttons are story input, held while a picture paints and judged when their turn comes.
class KeyboardPlayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> game;

    void open(double speed) {
        game = std::make_unique<TestWindow>(speed);
        new ButtonKeys(game->window);
        QVERIFY(game->activate());
    }
    void key(Qt::Key key) { game->key(key); }
    void click(QPoint at) { game->click(at); }
    int step() const { return game->step(); }
    QString caption() const { return game->caption(); }
    bool shown(Action action) const { return game->shown(action); }
    void setSpeed(double speed) { game->window.runner().setSpeed(speed); }
    // At the instant pace, up to the choice and through an attack, then back to the pace asked.
    void playFireBall(double speed) {
        setSpeed(0);
        for (int i = 0; i < 7; ++i)
            key(Qt::Key_Space);
        key(Qt::Key_F);
        QCOMPARE(caption(), QStringLiteral("Buh-Bye."));
        setSpeed(speed);
    }

    // Where the focus is after each press of the key: a button's action, or Advance while the
    // window itself has it.
    QList<Action> focusAfter(int presses, Qt::KeyboardModifiers modifiers = {}) {
        QList<Action> focused;
        for (int i = 0; i < presses; ++i) {
            game->key(Qt::Key_Tab, modifiers);
            Action at = Action::Advance;
            for (const ActionName& entry : ActionNames)
                if (hasButton(entry.action) && game->window.button(entry.action)->hasFocus())
                    at = entry.action;
            focused << at;
        }
        return focused;
    }

  private slots:
    void cleanup() { game.reset(); }

    void eachStoryKeyGoesOnAsAClickDoes() {
        open(0);
        int expected = 0;
        for (const Qt::Key next :
             {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Right, Qt::Key_PageDown}) {
            key(next);
            QCOMPARE(step(), ++expected);
        }
        key(Qt::Key_Left);
        key(Qt::Key_X);
        QCOMPARE(step(), expected);
    }

    // A key held down repeats, as the window system sends it: it goes on one screen only.
    void aHeldStoryKeyGoesOnOnce() {
        open(0);
        for (const Qt::Key held : {Qt::Key_Space, Qt::Key_Return}) {
            const QString text = held == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
            QWindow* window = game->window.windowHandle();
            QTest::simulateEvent(window, true, held, {}, text, false);
            for (int repeat = 0; repeat < 5; ++repeat) {
                QTest::simulateEvent(window, false, held, {}, text, true);
                QTest::simulateEvent(window, true, held, {}, text, true);
            }
            QTest::simulateEvent(window, false, held, {}, text, false);
        }
        QCOMPARE(step(), 2);
        QCOMPARE(caption(), QStringLiteral(" "));
    }

    void aFocusedButtonKeepsTheKeysItUses() {
        open(0);
        for (int i = 0; i < 7; ++i)
            key(Qt::Key_Space);
        game->window.button(Action::EatHim)->setFocus();
        // Passed on by the button, but not the window's to take while a button has the focus.
        key(Qt::Key_PageDown);
        QCOMPARE(step(), 7);
        key(Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Yummy..."));
        // The pressed button is gone, and so is its focus: Space goes on with the story again
        // instead of pressing a hidden button.
        QVERIFY(!shown(Action::EatHim));
        key(Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Yummy..."));
        QCOMPARE(step(), 8);
    }

    // Tab goes round the buttons on screen in their order, Shift+Tab back, from the window itself
    // too: after an attack Tab lands on Try Another Choice, so Tab and Space never wipe the lair.
    void tabGoesRoundTheShownButtonsInOrder() {
        open(0);
        for (int i = 0; i < 7; ++i)
            key(Qt::Key_Space);
        using enum Action;
        QCOMPARE(focusAfter(4), QList<Action>({FlameBreath, FireBall, EatHim, FlameBreath}));
        game->window.setFocus();
        QCOMPARE(focusAfter(2, Qt::ShiftModifier), QList<Action>({EatHim, FireBall}));
        key(Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Buh-Bye."));
        QCOMPARE(focusAfter(3), QList<Action>({TryAnotherChoice, StartOver, TryAnotherChoice}));
        QCOMPARE(focusAfter(1, Qt::ShiftModifier), QList<Action>({StartOver}));

        game->window.button(StartOver)->click();
        QCOMPARE(focusAfter(1), QList<Action>({Advance})); // no button on screen
        for (int i = 0; i < 7; ++i)
            key(Qt::Key_Space);
        key(Qt::Key_E);
        QCOMPARE(focusAfter(1), QList<Action>({TryAnotherChoice}));
        key(Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
        QCOMPARE(step(), 7);
    }

    void lettersPressTheButtonsOnScreenOnly() {
        open(0);
        key(Qt::Key_E); // no button yet
        key(Qt::Key_A);
        QCOMPARE(step(), 0);
        QCOMPARE(caption(), QString());
        playFireBall(0);
        key(Qt::Key_B); // the attacks are over until the lair is back
        QCOMPARE(caption(), QStringLiteral("Buh-Bye."));
        key(Qt::Key_A);
        QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
        key(Qt::Key_B);
        QCOMPARE(caption(), QStringLiteral("Ooh that burns..."));
        key(Qt::Key_S);
        QCOMPARE(step(), 0);
        QVERIFY(!shown(Action::StartOver));
    }

    // Keys and clicks made during a picture, mixed, are handled after it in the order they came.
    void keysAndClicksWhilePaintingWaitTheirTurn() {
        open(4);
        key(Qt::Key_Space); // the title
        QTimer::singleShot(50, this, [this] { key(Qt::Key_Right); });
        QTimer::singleShot(80, this, [this] { click(TestWindow::OnLabel); });
        QTimer::singleShot(110, this, [this] { click(TestWindow::Bare); });
        QTimer::singleShot(140, this, [this] { key(Qt::Key_PageDown); });
        QTimer::singleShot(170, this, [this] {
            QCOMPARE(step(), 2); // all held so far
            QVERIFY(game->window.runner().busy());
        });
        QElapsedTimer painting;
        painting.start();
        key(Qt::Key_Space); // the lair: about half a second at four times the pace
        QVERIFY(painting.elapsed() > 200);
        QTRY_COMPARE(step(), 5);
    }

    // A letter is judged when its turn comes, as a click on its button would be: the button
    // must be on screen by then, whatever it was when the letter was pressed.
    void aHeldLetterPressesItsButtonOnlyIfItIsShownWhenItsTurnComes() {
        open(1);
        playFireBall(1);
        // Try Another Choice repaints the lair for about 0.9 s. Eat him then hides the fire ball,
        // and Start Over comes back only after an attack.
        QTimer::singleShot(100, this, [this] { key(Qt::Key_E); });
        QTimer::singleShot(150, this, [this] { click(TestWindow::Bare); });
        QTimer::singleShot(200, this, [this] { key(Qt::Key_F); });
        QTimer::singleShot(250, this, [this] {
            key(Qt::Key_S);
            QCOMPARE(caption(), QStringLiteral(" "));
            setSpeed(0);
        });
        key(Qt::Key_A);
        QTRY_VERIFY(!game->window.runner().busy() && step() == 0);
        QCOMPARE(caption(), QStringLiteral(" "));
        QVERIFY(!shown(Action::TryAnotherChoice));

        // The same, with Start Over held before the attack that brings it: it presses nothing.
        playFireBall(1);
        QTimer::singleShot(100, this, [this] { key(Qt::Key_S); });
        QTimer::singleShot(200, this, [this] {
            key(Qt::Key_E);
            setSpeed(0);
        });
        key(Qt::Key_A);
        QTRY_COMPARE(caption(), QStringLiteral("Yummy..."));
        QTest::qWait(50);
        QVERIFY(shown(Action::StartOver));
        QCOMPARE(step(), 7);
    }
};

QTEST_MAIN(KeyboardPlayTest)
#include "KeyboardPlayTest.moc"
