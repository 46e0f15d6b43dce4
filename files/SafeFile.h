#pragma once

#include "game/Failure.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

class QImage;

// A file that appears under its name only once everything was written: the bytes go to a
// temporary file in the same folder, every write is checked, and commit() flushes them to the
// disk and renames the temporary into place. On any failure the temporary goes away and
// errorString() says in one line what failed and why: "cannot write 'x.gif': the disk is full".
//
// Where the file system allows it the temporary has no name at all (O_TMPFILE) until it is
// whole: then it is linked in beside the target under a hidden name and renamed over it, so that
// even a killed program leaves at most that instant's hidden name. Elsewhere it is a hidden file
// from the start. Either way its name is tracked in TemporaryNames while it exists.
//
// Writing through a symbolic link writes the file at the end of the chain, each link read
// relative to its own folder; a dangling chain makes its last target.
class SafeFile : public QIODevice {
  public:
    explicit SafeFile(const QString& path);
    ~SafeFile() override; // an uncommitted temporary goes away
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Only WriteOnly: creates the temporary, so that a path that cannot be written is known
    // before anything is made for it. From then on the program ignores SIGXFSZ, so that a
    // write past the file size limit fails and is reported instead of ending the program.
    bool open(OpenMode mode) override;
    // Gives up without a word of its own: the temporary goes away.
    void close() override;
    bool isSequential() const override { return true; }

    // The picture in the given format (PNG unless said), through encodeImage().
    bool writeImage(const QImage& image, const char* format = "png");
    // Flushes everything to the disk and puts the file in place.
    bool commit();
    // Gives up because of something outside the file (an encoder's error, say): the temporary
    // goes away, and errorString() tells `why`, unless the file had already failed by itself.
    void discard(const QString& why);
    // The same for a writer's failure, which names no file: this file's path is added.
    void discard(Failure why);

    bool hasFailed() const { return failure_.has_value(); }
    // What failed first, as errorString() says it; memory that ran out is told by its type.
    const std::optional<Failure>& failure() const { return failure_; }
    const QString& path() const { return path_; }

    // Why a call failed with this errno, in the words of the messages.
    static QString reason(int errnum);
    // Writes the picture onto any device with QImageWriter; why it could not, empty if it could.
    static QString encodeImage(QIODevice& out, const QImage& image, const char* format);

  protected:
    qint64 readData(char* data, qint64 length) override;
    qint64 writeData(const char* data, qint64 length) override;

  private:
    // Keeps the first failure, since later ones follow from it, and lets go of the temporary.
    bool fail(Failure failure);
    Failure writeError(int errnum) const;
    bool flushBuffer();
    bool putInPlace();
    // Makes the temporary under a fresh hidden name beside the target: a new file, or with
    // linkUnnamed the unnamed one fd_ holds.
    bool nameTemporary(bool linkUnnamed);
    void removeTemporary();

    QString path_;
    QByteArray target_;    // the file to replace, at the end of any symbolic links
    QByteArray temporary_; // its hidden name beside the target, while it has one
    int tracked_ = -1;     // the name's slot in TemporaryNames
    int fd_ = -1;
    QByteArray buffer_;
    std::optional<Failure> failure_;
};
