#pragma once

#include <QDateTime>
#include <QString>

// Where saved pictures and clips go, each named after the moment it was taken and never over an
// earlier one: as game/PictureName.h says, then -2, -3 within the same second.
class PictureFolder {
  public:
    // The player's pictures folder.
    PictureFolder();
    explicit PictureFolder(const QString& path);

    const QString& path() const { return path_; }
    // A name not taken yet, in the folder, which is made if missing; empty if it cannot be.
    QString newFile(const QString& suffix,
                    const QDateTime& at = QDateTime::currentDateTime()) const;

  private:
    QString path_;
};
