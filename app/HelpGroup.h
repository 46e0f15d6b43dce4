#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <optional>

// --help, --help-all and --version: each answers at once, and the program stops.
struct HelpGroup {
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit.")};
    const QCommandLineOption helpAll{QStringLiteral("help-all"),
                                     QStringLiteral("Show this help and Qt's own options, then "
                                                    "exit.")};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and the licence, then "
                                                    "exit.")};

    QList<QCommandLineOption> all() const { return {help, helpAll, version}; }
    // What to print when one of them was given; the keys follow the options in the help.
    std::optional<QString> answer(const QCommandLineParser& parser) const;
};
