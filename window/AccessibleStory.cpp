#include "window/AccessibleStory.h"

#include "window/GameWindow.h"

#include <QAbstractButton>

namespace {

QString sceneText(Scene scene) {
    switch (scene) {
    case Scene::Blank:
        return {};
    case Scene::Title:
        return QStringLiteral("BRUMOX SIMULATOR");
    case Scene::Lair:
        return QStringLiteral("The beast and its gold hoard");
    case Scene::Goblin:
        return QStringLiteral("The beast and its gold hoard, and a goblin");
    case Scene::Burnt:
        return QStringLiteral("The goblin is burnt to a crisp");
    case Scene::Blasted:
        return QStringLiteral("The goblin is gone in a ball of fire");
    case Scene::Eaten:
        return QStringLiteral("The goblin has been eaten");
    }
    return {};
}

} // namespace

AccessibleStory::AccessibleStory(GameWindow& window) : QObject(&window), window_(window) {
    for (const ActionName& entry : ActionNames) {
        if (!hasButton(entry.action))
            continue;
        QAbstractButton* button = window.button(entry.action);
        button->setAccessibleName(
            QString::fromLatin1(entry.spoken.data(), static_cast<qsizetype>(entry.spoken.size())));
        button->setAccessibleDescription(QStringLiteral("Shortcut: %1").arg(QChar(entry.key)));
    }
    window.pictureView()->setAccessibleName(QStringLiteral("Picture"));
    describePicture();
    connect(&window, &GameWindow::played, this, &AccessibleStory::describePicture);
}

void AccessibleStory::describePicture() {
    window_.pictureView()->setAccessibleDescription(sceneText(window_.story().scene()));
}
