#include "window/AccessibleStory.h"
#include "window/GameWindow.h"

#include <QAbstractButton>
#include <QtTest>

#include <memory>

// What a screen reader is told: the buttons by name and key, the picture by what it shows.
class AccessibleStoryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GameWindow> window;

    void play(Action action) {
        const QPoint at =
            hasButton(action) ? window->button(action)->geometry().center() : QPoint(100, 600);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    }
    QString picture() const { return window->pictureView()->accessibleDescription(); }

  private slots:
    void init() {
        GameOptions options;
        options.speed = 0;
        window = std::make_unique<GameWindow>(options);
        new AccessibleStory(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void buttonsAreNamedPlainlyWithTheirKey() {
        const QAbstractButton* eat = window->button(Action::EatHim);
        QCOMPARE(eat->accessibleName(), QStringLiteral("Eat him"));
        QCOMPARE(eat->accessibleDescription(), QStringLiteral("Shortcut: E"));
        const QAbstractButton* again = window->button(Action::TryAnotherChoice);
        QCOMPARE(again->accessibleName(), QStringLiteral("Try another choice"));
        QCOMPARE(again->accessibleDescription(), QStringLiteral("Shortcut: A"));
    }

    void thePictureIsDescribedAsTheStoryGoes() {
        QCOMPARE(window->pictureView()->accessibleName(), QStringLiteral("Picture"));
        QCOMPARE(picture(), QString());
        play(Action::Advance);
        QCOMPARE(picture(), QStringLiteral("BRUMOX SIMULATOR"));
        play(Action::Advance);
        QCOMPARE(picture(), QStringLiteral("The beast and its gold hoard"));
        for (int i = 0; i < 4; ++i)
            play(Action::Advance);
        QCOMPARE(picture(), QStringLiteral("The beast and its gold hoard, and a goblin"));
        play(Action::Advance);
        play(Action::FlameBreath);
        QCOMPARE(picture(), QStringLiteral("The goblin is burnt to a crisp"));
        play(Action::TryAnotherChoice);
        QCOMPARE(picture(), QStringLiteral("The beast and its gold hoard, and a goblin"));
        play(Action::FireBall);
        QCOMPARE(picture(), QStringLiteral("The goblin is gone in a ball of fire"));
        play(Action::TryAnotherChoice);
        play(Action::EatHim);
        QCOMPARE(picture(), QStringLiteral("The goblin has been eaten"));
        play(Action::StartOver);
        QCOMPARE(picture(), QString());
    }
};

QTEST_MAIN(AccessibleStoryTest)
#include "AccessibleStoryTest.moc"
