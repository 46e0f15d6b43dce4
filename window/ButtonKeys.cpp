#include "window/ButtonKeys.h"

#include "window/GameWindow.h"
#include "window/Keys.h"
#include "window/KeysPanel.h"

#include <QAbstractButton>
#include <QShortcut>

ButtonKeys::ButtonKeys(GameWindow& window) : QObject(&window) {
    for (const ActionName& entry : ActionNames) {
        if (!hasButton(entry.action))
            continue;
        QAbstractButton* button = window.button(entry.action);
        for (const QKeySequence& key : keySequences(bindingFor(entry.action))) {
            auto* shortcut = new QShortcut(key, &window);
            // A key held down must not queue up presses for buttons yet to come.
            shortcut->setAutoRepeat(false);
            // A shortcut fires even while a picture paints, ahead of the input held back
            // meanwhile. With the keys and help open a letter is not for the story: neither
            // pressed then, nor coming due then.
            connect(shortcut, &QShortcut::activated, this, [&window, button] {
                if (KeysPanel::openOver(window))
                    return;
                window.frameLoop().defer([&window, button] {
                    if (button->isVisible() && !KeysPanel::openOver(window))
                        button->click();
                });
            });
        }
    }
}
