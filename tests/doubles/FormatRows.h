#pragma once

#include <QString>
#include <QtTest>

// One data row for each kind of file the game writes, named as its messages name the kind, with
// its suffix in the column `column`: a test of what writing does runs once for each.
inline void addFormatRows(const char* column) {
    QTest::addColumn<QString>(column);
    QTest::newRow("PNG") << QStringLiteral("png");
    QTest::newRow("GIF") << QStringLiteral("gif");
    QTest::newRow("WebP") << QStringLiteral("webp");
}
