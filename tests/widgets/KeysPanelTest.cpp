#include "window/KeysPanel.h"
#include "FolderContents.h"
#include "TestWindow.h"
#include "game/KeyTable.h"
#include "window/ButtonKeys.h"
#include "window/GameActions.h"

#include <QAccessible>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <memory>

// Keys and help: opened by its keys, a dialog inside the window that keeps the story's clicks
// and keys to itself while it is open, and never in a saved picture.
class KeysPanelTest : public QObject {
    Q_OBJECT

    QTemporaryDir pictures;
    std::unique_ptr<TestWindow> game;
    KeysPanel* panel = nullptr;

    void open(double speed, QSize size = toQSize(DesignSize)) {
        game = std::make_unique<TestWindow>(speed);
        new GameActions(game->window, nullptr, PictureFolder(pictures.path()));
        new ButtonKeys(game->window);
        game->window.resize(size);
        QVERIFY(game->activate());
        panel = game->window.findChild<KeysPanel*>();
        QVERIFY(panel && !panel->isVisible());
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { game->key(key, modifiers); }
    void f1() { key(Qt::Key_F1); }
    bool focusInPanel() const { return panel->isAncestorOf(QApplication::focusWidget()); }
    QRect card() const {
        const QWidget* card = panel->findChild<QWidget*>(QStringLiteral("keysCard"));
        return QRect(card->mapTo(&game->window, QPoint()), card->size());
    }
    QImage savePicture() {
        key(Qt::Key_S, Qt::ControlModifier);
        const QString path = pictures.filePath(everything(pictures.path()).front());
        const QImage picture(path);
        QFile::remove(path);
        return picture;
    }

  private slots:
    void cleanup() {
        game.reset();
        panel = nullptr;
    }

    void f1AndQuestionMarkOpenEveryKeyOfTheTableAndTheAbout() {
        open(0);
        const auto* text = panel->findChild<QLabel*>(QStringLiteral("keysText"));
        QTextDocument shown;
        shown.setHtml(text->text());
        const QString plain = shown.toPlainText();
        for (const KeyBinding& binding : KeyTable) {
            QVERIFY2(plain.contains(toQString(binding.names())), binding.names().data());
            QVERIFY2(plain.contains(toQString(binding.help)), binding.help.data());
        }
        for (const char* said : {"How to play", "BRUMOX SIMULATOR", BRUMOX_VERSION, "MIT"})
            QVERIFY2(plain.contains(QLatin1String(said)), said);
        QVERIFY(text->font().pixelSize() >= 14);

        // ? as the key alone, and with the Shift that types it on most keyboards.
        const std::pair<int, Qt::KeyboardModifiers> openers[] = {
            {Qt::Key_F1, {}}, {Qt::Key_Question, {}}, {Qt::Key_Question, Qt::ShiftModifier}};
        for (const auto& [opener, modifiers] : openers) {
            key(opener, modifiers);
            QVERIFY(panel->isVisible());
            QVERIFY(focusInPanel());
            key(opener, modifiers);
            QVERIFY(!panel->isVisible());
        }

        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(panel);
        QCOMPARE(spoken->role(), QAccessible::Dialog);
        QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("Keys and help"));
    }

    // However it closes, the focus goes back to the button that had it, and no button is
    // pressed on the way; Tab meanwhile goes round the panel only. Esc closes it before it
    // leaves fullscreen.
    void eachWayOfClosingGivesTheFocusBack() {
        open(0);
        key(Qt::Key_F11);
        QTRY_VERIFY(game->window.isFullScreen());
        game->advance(7);
        key(Qt::Key_Tab);
        QWidget* button = QApplication::focusWidget();
        QVERIFY(qobject_cast<QAbstractButton*>(button) && button->isVisible());
        const QString caption = game->caption();
        const std::pair<const char*, std::function<void()>> closers[] = {
            {"F1", [this] { f1(); }},
            {"?", [this] { key(Qt::Key_Question, Qt::ShiftModifier); }},
            {"Esc", [this] { key(Qt::Key_Escape); }},
            {"Close",
             [this] {
                 QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("keysClose")),
                                   Qt::LeftButton);
             }},
            {"a click outside", [this] { game->click(QPoint(5, 5)); }}};
        for (const auto& [how, close] : closers) {
            f1();
            for (int i = 0; i < 3; ++i) {
                key(Qt::Key_Tab);
                QVERIFY2(focusInPanel(), how);
            }
            close();
            QVERIFY2(!panel->isVisible(), how);
            QVERIFY2(button->hasFocus(), how);
        }
        QCOMPARE(game->caption(), caption);
        QVERIFY(game->window.isFullScreen());
        key(Qt::Key_Escape);
        QTRY_VERIFY(!game->window.isFullScreen());
    }

    void clicksAndStoryKeysStayOutOfTheStoryWhileItIsOpen() {
        open(0);
        game->advance(1);
        f1();
        game->click(card().center());
        QVERIFY(panel->isVisible());
        for (const Qt::Key story :
             {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Right, Qt::Key_PageDown})
            key(story);
        game->click(TestWindow::Bare); // outside the card: closes it, and only that
        QVERIFY(!panel->isVisible());
        QCOMPARE(game->step(), 1);
        key(Qt::Key_Space);
        QCOMPARE(game->step(), 2);

        // The letters neither, though their buttons are shown.
        game->advance(5);
        const QString caption = game->caption();
        f1();
        for (const Qt::Key letter : {Qt::Key_F, Qt::Key_B, Qt::Key_E})
            key(letter);
        f1();
        QCOMPARE(game->caption(), caption);
        key(Qt::Key_F);
        QCOMPARE(game->caption(), QStringLiteral("Buh-Bye."));
    }

    // What Save Picture writes is the same with the panel open as without, and the window's own
    // picture when it is closed.
    void aSavedPictureNeverShowsIt() {
        open(0);
        game->advance(6);
        const auto shown = [this] {
            return game->window.grab(game->window.pictureArea())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const QImage closed = savePicture().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(closed, shown());
        f1();
        QVERIFY(shown() != closed);
        QCOMPARE(savePicture().convertToFormat(QImage::Format_RGB32), closed);
        QVERIFY(panel->isVisible());
    }

    // The card stays within a small window and scrolls there; it follows the window's size.
    void itFitsASmallWindowAndScrolls() {
        open(0, QSize(640, 450));
        f1();
        const QRect window = game->window.rect();
        QCOMPARE(panel->geometry(), window);
        QVERIFY(window.contains(card()));
        const auto* scroll = panel->findChild<QScrollArea*>(QStringLiteral("keysScroll"));
        QVERIFY(scroll->verticalScrollBar()->isVisible());

        game->window.resize(toQSize(DesignSize));
        QTRY_COMPARE(panel->geometry(), game->window.rect());
        QCOMPARE(card().center(), game->window.rect().center());
        QVERIFY(game->window.rect().contains(card()));
    }
};

QTEST_MAIN(KeysPanelTest)
#include "KeysPanelTest.moc"
