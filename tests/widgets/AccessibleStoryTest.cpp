#include "window/AccessibleStory.h"
#include "TestWindow.h"

#include <QtTest>

#include <memory>

// What a screen reader is told: the buttons by name and key, the picture by what it shows.
class AccessibleStoryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> game;

    QString picture() const { return game->window.pictureView()->accessibleDescription(); }

  private slots:
    void init() {
        game = std::make_unique<TestWindow>(0);
        new AccessibleStory(game->window);
        QVERIFY(game->show());
    }
    void cleanup() { game.reset(); }

    void buttonsAreNamedPlainlyWithTheirKey() {
        const QAbstractButton* eat = game->window.button(Action::EatHim);
        QCOMPARE(eat->accessibleName(), QStringLiteral("Eat him"));
        QCOMPARE(eat->accessibleDescription(), QStringLiteral("Shortcut: E"));
        const QAbstractButton* again = game->window.button(Action::TryAnotherChoice);
        QCOMPARE(again->accessibleName(), QStringLiteral("Try another choice"));
        QCOMPARE(again->accessibleDescription(), QStringLiteral("Shortcut: A"));
    }

    // After each action the description is the one of the scene the story has reached, from the
    // blank canvas through every attack and back.
    void thePictureIsDescribedAsTheStoryGoes() {
        QCOMPARE(game->window.pictureView()->accessibleName(), QStringLiteral("Picture"));
        const std::pair<Action, const char*> play[] = {
            {Action::Advance, "BRUMOX SIMULATOR"},
            {Action::Advance, "The beast and its gold hoard"},
            {Action::Advance, "The beast and its gold hoard"},
            {Action::Advance, "The beast and its gold hoard"},
            {Action::Advance, "The beast and its gold hoard"},
            {Action::Advance, "The beast and its gold hoard, and a goblin"},
            {Action::Advance, "The beast and its gold hoard, and a goblin"},
            {Action::FlameBreath, "The goblin is burnt to a crisp"},
            {Action::TryAnotherChoice, "The beast and its gold hoard, and a goblin"},
            {Action::FireBall, "The goblin is gone in a ball of fire"},
            {Action::TryAnotherChoice, "The beast and its gold hoard, and a goblin"},
            {Action::EatHim, "The goblin has been eaten"},
            {Action::StartOver, ""}};
        QCOMPARE(picture(), QString());
        for (const auto& [action, said] : play) {
            game->play(action);
            QCOMPARE(picture(), QLatin1String(said));
        }
    }
};

QTEST_MAIN(AccessibleStoryTest)
#include "AccessibleStoryTest.moc"
