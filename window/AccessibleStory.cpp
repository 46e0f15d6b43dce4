#include "window/AccessibleStory.h"

#include "game/SceneDescription.h"
#include "qt/CoreToQt.h"
#include "window/GameWindow.h"
#include "window/Keys.h"

#include <QAbstractButton>

AccessibleStory::AccessibleStory(GameWindow& window) : QObject(&window), window_(window) {
    for (const ActionName& entry : ActionNames) {
        if (!hasButton(entry.action))
            continue;
        QAbstractButton* button = window.button(entry.action);
        button->setAccessibleName(toQString(entry.spoken));
        button->setAccessibleDescription(
            QStringLiteral("Shortcut: %1").arg(toQString(bindingFor(entry.action).names())));
    }
    window.pictureView()->setAccessibleName(QStringLiteral("Picture"));
    describePicture();
    connect(&window.frameLoop(), &FrameLoop::played, this, &AccessibleStory::describePicture);
}

void AccessibleStory::describePicture() {
    window_.pictureView()->setAccessibleDescription(
        toQString(describe(window_.runner().story().scene())));
}
