#include "files/SafeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Enough that giflib's small blocks become few system calls.
constexpr qsizetype BufferSize = 64 * 1024;

// Past the file size limit the system ends the program with SIGXFSZ unless it is ignored; then
// the write fails with EFBIG and can be reported like any other.
void ignoreFileSizeSignal() {
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace

SafeFile::SafeFile(const QString& path) : path_(path) {}

SafeFile::~SafeFile() {
    removeTemporary();
}

QString SafeFile::reason(int errnum) {
    switch (errnum) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("the file is too large for the file system or the file size limit");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    case EISDIR:
        return QStringLiteral("it is a folder");
    default:
        break;
    }
    QString text = QString::fromLocal8Bit(std::strerror(errnum));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

bool SafeFile::fail(int errnum) {
    if (!failed_) {
        failed_ = true;
        setErrorString(QStringLiteral("cannot write '%1': %2").arg(path_, reason(errnum)));
    }
    // Still open, so that whatever writes on finds out quietly.
    removeTemporary();
    return false;
}

void SafeFile::discard(const QString& why) {
    if (!failed_) {
        failed_ = true;
        setErrorString(QStringLiteral("cannot write '%1': %2").arg(path_, why));
    }
    removeTemporary();
    QIODevice::close();
}

void SafeFile::close() {
    removeTemporary();
    QIODevice::close();
}

void SafeFile::removeTemporary() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
    buffer_.clear();
}

bool SafeFile::open(OpenMode mode) {
    if (isOpen() || (mode & ~(QIODevice::WriteOnly | QIODevice::Truncate)) ||
        !(mode & QIODevice::WriteOnly))
        return fail(EINVAL);
    failed_ = false;
    ignoreFileSizeSignal();

    // Writing through a symbolic link replaces the file it points to, not the link.
    QFileInfo info(path_);
    if (info.isSymLink())
        info.setFile(info.symLinkTarget());
    if (info.isDir())
        return fail(EISDIR);
    target_ = QFile::encodeName(info.absoluteFilePath());
    const QByteArray stem = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                              info.fileName() + QStringLiteral(".tmp-"));
    // Created with the usual permissions (0666 less the umask), or the replaced file's.
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporary_ = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            temporary_.clear();
            return fail(error);
        }
    }
    struct stat existing {};
    if (::stat(target_.constData(), &existing) == 0)
        ::fchmod(fd_, existing.st_mode & 07777);
    buffer_.reserve(BufferSize);
    return QIODevice::open(mode);
}

qint64 SafeFile::readData(char*, qint64) {
    return -1;
}

bool SafeFile::flushBuffer() {
    const char* data = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing yet reports no error says the disk is full.
        if (written <= 0)
            return fail(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    buffer_.clear();
    return true;
}

qint64 SafeFile::writeData(const char* data, qint64 length) {
    if (failed_ || fd_ < 0)
        return -1;
    if (buffer_.size() + length > BufferSize && !flushBuffer())
        return -1;
    buffer_.append(data, length);
    if (buffer_.size() >= BufferSize && !flushBuffer())
        return -1;
    return length;
}

QString SafeFile::encodeImage(QIODevice& out, const QImage& image, const char* format) {
    QImageWriter writer(&out, format);
    if (writer.write(image))
        return {};
    // Qt leaves "Unknown error" when the encoder gave up, a device that refused bytes included.
    if (writer.error() != QImageWriter::UnknownError)
        return writer.errorString();
    return QStringLiteral("the picture could not be written as %1")
        .arg(QString::fromLatin1(format).toUpper());
}

bool SafeFile::writeImage(const QImage& image, const char* format) {
    if (failed_ || fd_ < 0)
        return false;
    // Encoded in memory first: libpng has its own say on stderr when the device fails it.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    const QString why = encodeImage(encoded, image, format);
    if (!why.isEmpty()) {
        discard(why);
        return false;
    }
    return write(encoded.data()) == encoded.size();
}

bool SafeFile::commit() {
    const bool committed = !failed_ && fd_ >= 0 && putInPlace();
    QIODevice::close();
    return committed;
}

bool SafeFile::putInPlace() {
    if (!flushBuffer())
        return false;
    // Some file systems report a full disk only when the data reach it.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        return fail(errno);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return fail(errno);
    temporary_.clear();
    return true;
}
