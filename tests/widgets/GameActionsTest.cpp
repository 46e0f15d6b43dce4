#include "window/GameActions.h"
#include "TestWindow.h"
#include "record/ClipRecorder.h"
#include "window/Keys.h"
#include "window/KeysPanel.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMenu>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

QAction* entry(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

// The window's own actions act at once, even mid-picture; what opens a window waits for the
// picture to be done, and the right button never plays.
class GameActionsTest : public QObject {
    Q_OBJECT

    QTemporaryDir pictures;
    std::unique_ptr<TestWindow> game;
    GameWindow* window = nullptr;
    GameActions* actions = nullptr;

    void open(double speed) {
        game = std::make_unique<TestWindow>(speed);
        window = &game->window;
        actions = new GameActions(*window, nullptr, PictureFolder(pictures.path()));
        QVERIFY(game->activate());
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { game->key(key, modifiers); }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) { game->click(at, button); }
    int step() const { return game->step(); }
    bool menuOpen() const { return QApplication::activePopupWidget() == &actions->menu(); }

  private slots:
    void cleanup() {
        QApplication::closeAllWindows();
        game.reset();
    }

    void ctrlQMidPictureEndsTheProgramPromptlyAndCleanly() {
        open(1);
        click(TestWindow::Bare);
        QTimer::singleShot(0, this, [this] { click(TestWindow::Bare); }); // the lair, two seconds
        QTimer::singleShot(300, this, [this] { key(Qt::Key_Q, Qt::ControlModifier); });
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!window->isVisible());
        QCOMPARE(step(), 2);
    }

    void theRightButtonOpensTheMenuAndNeverPlays() {
        open(0);
        for (const QPoint at : {TestWindow::OnLabel, TestWindow::Bare}) {
            click(at, Qt::RightButton);
            QVERIFY(menuOpen());
            actions->menu().hide();
        }
        QCOMPARE(step(), 0);
        for (int i = 0; i < 7; ++i)
            key(Qt::Key_Space);
        const QPoint onButton = window->button(Action::FireBall)->geometry().center();
        click(onButton, Qt::RightButton);
        QVERIFY(menuOpen());
        actions->menu().hide();
        QVERIFY(window->button(Action::FireBall)->isVisible());
        QCOMPARE(step(), 7);
    }

    void aRightClickWhilePaintingOpensTheMenuOnlyAfterwards() {
        open(4);
        click(TestWindow::Bare);
        QTimer::singleShot(50, this, [this] {
            click(TestWindow::Bare, Qt::RightButton);
            QVERIFY(!menuOpen());
        });
        click(TestWindow::Bare); // the lair, about half a second
        QCOMPARE(step(), 2);
        QTRY_VERIFY(menuOpen());
        QCOMPARE(step(), 2);
    }

    // Each key changes the pace of the picture under way, and says so.
    void speedKeysStepAtOnceEvenMidPicture() {
        open(1);
        click(TestWindow::Bare);
        const std::pair<int, const char*> presses[] = {
            {Qt::Key_Plus, "speed 2x"},    {Qt::Key_Equal, "speed 4x"},
            {Qt::Key_Minus, "speed 2x"},   {Qt::Key_Minus, "speed 1x"},
            {Qt::Key_Minus, "speed 1/2x"}, {Qt::Key_Minus, "speed 1/4x"},
            {Qt::Key_Minus, "speed 1/4x"}, {Qt::Key_Plus | Qt::KeypadModifier, "speed 1/2x"},
            {Qt::Key_Plus, "speed 1x"},    {Qt::Key_Plus, "speed 2x"},
            {Qt::Key_Plus, "speed 4x"},    {Qt::Key_Plus, "speed 8x"},
            {Qt::Key_Plus, "instant"},     {Qt::Key_Minus | Qt::KeypadModifier, "speed 8x"}};
        QTimer::singleShot(50, this, [&] {
            QVERIFY(window->runner().busy());
            for (const auto& [press, said] : presses) {
                key(press & ~Qt::KeyboardModifierMask,
                    Qt::KeyboardModifiers(press & Qt::KeyboardModifierMask));
                QCOMPARE(QToolTip::text(), QLatin1String(said));
            }
            QCOMPARE(window->runner().speed(), 8.0);
        });
        QElapsedTimer painting;
        painting.start();
        click(TestWindow::Bare); // two seconds at the pace it started with
        QVERIFY2(painting.elapsed() < 1000, qPrintable(QString::number(painting.elapsed())));
        QCOMPARE(step(), 2);
    }

    // Save Picture As opens its dialog once the picture is done; the keys and help, inside the
    // window, opens at once, from its key or from the menu. A click held back meanwhile, made
    // before it opened, stays out of the story while it is open.
    void saveAsWaitsUntilThePictureIsDoneButKeysAndHelpDoesNot() {
        open(4);
        click(TestWindow::Bare);
        QAction* saveAs = entry(actions->menu(), QStringLiteral("Save Picture &As..."));
        QAction* help = entry(actions->menu(), QStringLiteral("&Keys and Help"));
        QVERIFY(saveAs && help);
        auto* panel = window->findChild<KeysPanel*>();
        QTimer::singleShot(50, this, [&] {
            click(TestWindow::Bare + QPoint(0, 40)); // away from the last: no double-click
            key(Qt::Key_F1);
            QVERIFY(panel->isVisible());
            saveAs->trigger();
            QVERIFY(!window->findChild<QFileDialog*>());
        });
        click(TestWindow::Bare);
        QVERIFY(panel->isVisible());
        QTRY_VERIFY(window->findChild<QFileDialog*>());
        QCOMPARE(step(), 2);
        window->findChild<QFileDialog*>()->reject();
        for (int i = 0; i < 2; ++i) {
            help->trigger();
            QCOMPARE(panel->isVisible(), i == 1);
        }
    }

    // Fullscreen always fits; Esc brings back the view chosen before it. In a window wider than
    // the design's shape, a fitted picture has dark bars above and below, actual size none.
    void leavingFullscreenBringsBackTheViewChosenBefore() {
        open(0);
        window->resize(700, 600);
        const QPoint besideTheFittedPicture(10, 100);
        const QRgb bar = toQColor(BarColour).rgb();
        for (const ViewMode before : {ViewMode::Actual, ViewMode::Fit}) {
            if (window->viewMode() != before)
                key(Qt::Key_V);
            key(Qt::Key_F11);
            QTRY_VERIFY(window->isFullScreen());
            // Fitted, with a bar beside the picture or its panel.
            QTRY_COMPARE(window->grab().toImage().pixel(1, window->height() - 2), bar);
            key(Qt::Key_Escape);
            QTRY_COMPARE(window->size(), QSize(700, 600));
            const QRgb shown = window->grab().toImage().pixel(besideTheFittedPicture);
            QCOMPARE(shown == bar, before == ViewMode::Fit);
        }
    }

    // M switches the sound at once, even mid-picture, and the menu's entry shows and switches it.
    void mSwitchesTheSoundAtOnceAndTheMenuShowsIt() {
        open(1);
        click(TestWindow::Bare);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, TestWindow::Bare);
        QVERIFY(window->runner().painting());
        key(Qt::Key_M);
        QVERIFY(window->muted());
        QVERIFY(window->runner().painting());
        game->waitUntilIdle();

        click(TestWindow::Bare, Qt::RightButton);
        QVERIFY(menuOpen());
        QAction* sound = entry(actions->menu(), QStringLiteral("S&ound"));
        QVERIFY(sound && sound->isCheckable() && !sound->isChecked());
        sound->trigger();
        QVERIFY(!window->muted());
        QVERIFY(sound->isChecked());
        actions->menu().hide();
        key(Qt::Key_M);
        QVERIFY(window->muted());
    }

    // A key the help lists must act, and a key bound twice would do nothing at all: each window
    // key of the table is the shortcut of exactly one of the window's actions.
    void eachWindowKeyOfTheTableIsBoundOnce() {
        TestWindow game(0);
        ClipRecorder clips(game.window);
        new GameActions(game.window, &clips, PictureFolder(pictures.path()));
        QList<QKeySequence> bound;
        for (const QAction* action : game.window.actions())
            bound += action->shortcuts();
        for (const KeyBinding& binding : KeyTable) {
            if (!std::holds_alternative<WindowCommand>(binding.does))
                continue;
            for (const QKeySequence& key : keySequences(binding))
                QVERIFY2(bound.count(key) == 1, qPrintable(key.toString()));
        }
    }
};

QTEST_MAIN(GameActionsTest)
#include "GameActionsTest.moc"
