#include "window/PictureWriter.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

bool PictureWriter::write(const QImage& picture, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = file.errorString();
        return false;
    }
    QImageWriter writer(&file, suffix.isEmpty() ? QByteArray("png") : suffix.toLatin1());
    const bool written = writer.write(picture);
    // The writer can report success over a device that failed part-way, and commit() can put a
    // file cut short by its own last flush in place: every byte leaves the buffer before the
    // verdict, which also gives the device's own account of what went wrong.
    file.flush();
    if (file.error() != QFileDevice::NoError)
        error_ = file.errorString();
    else if (!written)
        error_ = writer.errorString();
    else if (!file.commit())
        error_ = file.errorString();
    else
        return true;
    file.cancelWriting();
    return false;
}
