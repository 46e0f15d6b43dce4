#include "window/ButtonKeys.h"

#include "window/GameWindow.h"
#include "window/InputGate.h"

#include <QAbstractButton>
#include <QShortcut>

ButtonKeys::ButtonKeys(GameWindow& window) : QObject(&window) {
    for (const ActionName& entry : ActionNames) {
        if (!hasButton(entry.action))
            continue;
        auto* shortcut = new QShortcut(QKeySequence(entry.key), &window);
        // A key held down must not queue up presses for buttons yet to come.
        shortcut->setAutoRepeat(false);
        QAbstractButton* button = window.button(entry.action);
        // A shortcut fires even while a picture paints, ahead of the input held back meanwhile.
        connect(shortcut, &QShortcut::activated, this, [&window, button] {
            window.inputGate().defer([button] {
                if (button->isVisible())
                    button->click();
            });
        });
    }
}
