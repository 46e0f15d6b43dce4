#include "files/PictureWriter.h"

#include "files/SafeFile.h"

#include <QFileInfo>
#include <QImage>

bool PictureWriter::write(const QImage& picture, const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    SafeFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.writeImage(picture, suffix.isEmpty() ? "png" : suffix.constData()) && file.commit())
        return true;
    error_ = file.errorString();
    return false;
}
