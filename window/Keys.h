#pragma once

#include "game/KeyTable.h"
#include "qt/CoreToQt.h"

#include <QKeySequence>
#include <QList>

// The keys of a binding, for shortcuts and for matching key events.
inline QList<QKeySequence> keySequences(const KeyBinding& binding) {
    return QKeySequence::listFromString(toQString(binding.keys), QKeySequence::PortableText);
}
