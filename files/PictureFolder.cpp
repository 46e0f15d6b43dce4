#include "files/PictureFolder.h"

#include "game/PictureName.h"

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
    const QDate day = at.date();
    const QTime time = at.time();
    const QString stem = QString::fromStdString(pictureStem(
        {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()}));
    QString name = stem + QLatin1Char('.') + suffix;
    for (int copy = 2; QFileInfo::exists(folder.filePath(name)); ++copy)
        name = QStringLiteral("%1-%2.%3").arg(stem).arg(copy).arg(suffix);
    return folder.filePath(name);
}
