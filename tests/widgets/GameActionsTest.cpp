#include "window/GameActions.h"
#include "window/GameWindow.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

const QPoint bare(100, 600);    // the client area, away from the label and the buttons
const QPoint onLabel(700, 150); // inside the label's rectangle

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
    std::unique_ptr<GameWindow> window;
    GameActions* actions = nullptr;

    void open(double speed) {
        GameOptions options;
        options.speed = speed;
        options.seed = 7;
        window = std::make_unique<GameWindow>(options);
        actions = new GameActions(*window, nullptr, PictureFolder(pictures.path()));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window->windowHandle(), button, {}, at);
    }
    int step() const { return window->story().storyStep(); }
    bool menuOpen() const { return QApplication::activePopupWidget() == &actions->menu(); }

  private slots:
    void cleanup() {
        QApplication::closeAllWindows();
        window.reset();
    }

    void ctrlQMidPictureEndsTheProgramPromptlyAndCleanly() {
        open(1);
        click(bare);
        QTimer::singleShot(0, this, [this] { click(bare); }); // the lair, two seconds
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
        for (const QPoint at : {onLabel, bare}) {
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
        click(bare);
        QTimer::singleShot(50, this, [this] {
            click(bare, Qt::RightButton);
            QVERIFY(!menuOpen());
        });
        click(bare); // the lair, about half a second
        QCOMPARE(step(), 2);
        QTRY_VERIFY(menuOpen());
        QCOMPARE(step(), 2);
    }

    // Each key changes the pace of the picture under way, and says so.
    void speedKeysStepAtOnceEvenMidPicture() {
        open(1);
        click(bare);
        const std::pair<int, const char*> presses[] = {
            {Qt::Key_Plus, "speed 2x"},    {Qt::Key_Equal, "speed 4x"},
            {Qt::Key_Minus, "speed 2x"},   {Qt::Key_Minus, "speed 1x"},
            {Qt::Key_Minus, "speed 1/2x"}, {Qt::Key_Minus, "speed 1/4x"},
            {Qt::Key_Minus, "speed 1/4x"}, {Qt::Key_Plus | Qt::KeypadModifier, "speed 1/2x"},
            {Qt::Key_Plus, "speed 1x"},    {Qt::Key_Plus, "speed 2x"},
            {Qt::Key_Plus, "speed 4x"},    {Qt::Key_Plus, "speed 8x"},
            {Qt::Key_Plus, "instant"},     {Qt::Key_Minus | Qt::KeypadModifier, "speed 8x"}};
        QTimer::singleShot(50, this, [&] {
            QVERIFY(window->busy());
            for (const auto& [press, said] : presses) {
                key(press & ~Qt::KeyboardModifierMask,
                    Qt::KeyboardModifiers(press & Qt::KeyboardModifierMask));
                QCOMPARE(QToolTip::text(), QLatin1String(said));
            }
            QCOMPARE(window->speed(), 8.0);
        });
        QElapsedTimer painting;
        painting.start();
        click(bare); // two seconds at the pace it started with
        QVERIFY2(painting.elapsed() < 1000, qPrintable(QString::number(painting.elapsed())));
        QCOMPARE(step(), 2);
    }

    void aboutAndSaveAsWaitUntilThePictureIsDone() {
        open(4);
        click(bare);
        QAction* saveAs = entry(actions->menu(), QStringLiteral("Save Picture &As..."));
        QVERIFY(saveAs);
        QTimer::singleShot(50, this, [&] {
            key(Qt::Key_F1);
            saveAs->trigger();
            QVERIFY(!window->findChild<QMessageBox*>());
            QVERIFY(!window->findChild<QFileDialog*>());
        });
        click(bare);
        QTRY_VERIFY(window->findChild<QFileDialog*>());
        auto* about = window->findChild<QMessageBox*>();
        QVERIFY(about && about->isVisible());
        // Not modal: the game goes on while it is open.
        QCOMPARE(about->windowModality(), Qt::NonModal);
        for (const char* said : {"BRUMOX SIMULATOR", BRUMOX_VERSION, "MIT"})
            QVERIFY2(about->text().contains(QLatin1String(said)), said);
    }
};

QTEST_MAIN(GameActionsTest)
#include "GameActionsTest.moc"
