#pragma once

#include "game/KeyTable.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <string_view>

// The core's plain text as Qt takes it: the tables hold ASCII only.
inline QString toQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The keys of a binding, for shortcuts and for matching key events.
inline QList<QKeySequence> keySequences(const KeyBinding& binding) {
    return QKeySequence::listFromString(toQString(binding.keys), QKeySequence::PortableText);
}
