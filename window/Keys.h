#pragma once

#include "game/KeyTable.h"

#include <QKeySequence>
#include <QList>

// A key of the table as Qt knows it. Keypad Enter is a key of its own to Qt; the keypad's
// characters are the main keys' with the keypad modifier.
inline QKeySequence keySequence(const Key& key) {
    Qt::KeyboardModifiers modifiers = key.ctrl ? Qt::ControlModifier : Qt::NoModifier;
    Qt::Key code = static_cast<Qt::Key>(key.character); // Qt codes printable ASCII as itself
    switch (key.named) {
    case NamedKey::None:
        if (key.keypad)
            modifiers |= Qt::KeypadModifier;
        break;
    case NamedKey::Space:
        code = Qt::Key_Space;
        break;
    case NamedKey::Enter:
        code = key.keypad ? Qt::Key_Enter : Qt::Key_Return;
        break;
    case NamedKey::Right:
        code = Qt::Key_Right;
        break;
    case NamedKey::PageDown:
        code = Qt::Key_PageDown;
        break;
    case NamedKey::Escape:
        code = Qt::Key_Escape;
        break;
    case NamedKey::F1:
        code = Qt::Key_F1;
        break;
    case NamedKey::F11:
        code = Qt::Key_F11;
        break;
    }
    return QKeySequence(QKeyCombination(modifiers, code));
}

// The keys of a binding, for shortcuts and for matching key events.
inline QList<QKeySequence> keySequences(const KeyBinding& binding) {
    QList<QKeySequence> sequences;
    for (const Key& key : binding.keys)
        sequences.append(keySequence(key));
    return sequences;
}
