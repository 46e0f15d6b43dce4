#include "files/PictureFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString picturesLocation() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

} // namespace

PictureFolder::PictureFolder() : path_(picturesLocation()) {}

PictureFolder::PictureFolder(const QString& path) : path_(path) {}

QString PictureFolder::newFile(const QString& suffix, const QDateTime& at) const {
    QDir folder(path_);
    if (!folder.mkpath(QStringLiteral(".")))
        return {};
    const QString stem = QStringLiteral("brumox-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QLatin1Char('.') + suffix;
    for (int copy = 2; QFileInfo::exists(folder.filePath(name)); ++copy)
        name = QStringLiteral("%1-%2.%3").arg(stem).arg(copy).arg(suffix);
    return folder.filePath(name);
}
