#include "app/HelpGroup.h"

#include "app/QtOptions.h"
#include "game/Layout.h"
#include "qt/CoreToQt.h"
#include "window/Keys.h"

namespace {

// Every key as Qt lists the options: the names, then what they do from the options' column on,
// below the names where they reach into it.
QString keysHelp() {
    constexpr qsizetype Column = 23;
    QString help = QStringLiteral("\nKeys:\n");
    for (const KeyBinding& binding : KeyTable) {
        const QString names = QStringLiteral("  ") + toQString(binding.names());
        help += names.size() + 2 > Column
                    ? names + QLatin1Char('\n') + QString(Column, QLatin1Char(' '))
                    : names.leftJustified(Column);
        help += toQString(binding.help) + QLatin1Char('\n');
    }
    return help + QStringLiteral("A click on the window also goes on with the story, Tab moves the "
                                 "focus\nbetween the buttons, and the right mouse button opens "
                                 "the menu.\n");
}

} // namespace

std::optional<QString> HelpGroup::answer(const QCommandLineParser& parser) const {
    if (parser.isSet(help) || parser.isSet(helpAll)) {
        // Without an application object Qt cannot name the program itself.
        QString text =
            parser.helpText().replace(QLatin1String("<executable_name>"), QLatin1String("brumox")) +
            keysHelp();
        if (parser.isSet(helpAll))
            text += qtOptionsHelp();
        return text;
    }
    if (parser.isSet(version))
        return QStringLiteral("brumox %1\n%2 is free software under the MIT licence.\n")
            .arg(QStringLiteral(BRUMOX_VERSION), toQString(GameName));
    return std::nullopt;
}
