#pragma once

#include <QString>

class QImage;

// Writes a picture all or nothing: into a temporary file beside the target, which replaces the
// target only once every byte is on disk. A picture cut short (a full disk, a file size limit)
// fails and leaves nothing behind.
class PictureWriter {
  public:
    // In the format the suffix names; PNG when there is none.
    bool write(const QImage& picture, const QString& path);
    const QString& errorString() const { return error_; }

  private:
    QString error_;
};
