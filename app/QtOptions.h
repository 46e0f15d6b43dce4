#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>

// Qt's own options (-platform, -style, -session, ...), which the game passes on to Qt's
// application object as they are.

// Splits Qt's own options from the game's; Qt's stay in order, with their values, and
// `platform` gets the value of -platform, if given.
void splitQtOptions(const QStringList& arguments, QStringList& ours, QStringList& qt,
                    QString& platform);

// Qt's own options as --help-all lists them, after the game's.
QLatin1String qtOptionsHelp();
