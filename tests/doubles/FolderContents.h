#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Every entry of a folder, hidden ones and dangling links too: what a file writer left behind.
inline QStringList everything(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}
