#include "files/SafeFile.h"

#include "files/TemporaryNames.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Enough that giflib's small blocks become few system calls.
constexpr qsizetype BufferSize = 64 * 1024;
// As many links as the system itself follows in a path.
constexpr int MaxLinks = 40;

// Past the file size limit the system ends the program with SIGXFSZ unless it is ignored; then
// the write fails with EFBIG and can be reported like any other.
void ignoreFileSizeSignal() {
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Follows the symbolic links the path ends in, each relative to the folder it lies in, to the
// file they name, whether it exists or not: 0, or the errno that prevents it.
int followLinks(QByteArray& path) {
    for (int links = 0;; ++links) {
        struct stat entry {};
        if (::lstat(path.constData(), &entry) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(entry.st_mode))
            return 0;
        if (links == MaxLinks)
            return ELOOP;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0)
            return errno;
        if (length == sizeof target)
            return ENAMETOOLONG;
        const QByteArray next(target, length);
        path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
    }
}

// An open file by the name the kernel gives it, for linkat.
QByteArray procPath(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A file with no name in the folder, or -1 with errno. Without /proc it could never get one.
int openUnnamed(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0 && ::access(procPath(fd).constData(), F_OK) != 0) {
        ::close(fd);
        errno = EOPNOTSUPP;
        return -1;
    }
    return fd;
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
    case ENOMEM:
        return QStringLiteral("out of memory");
    default:
        break;
    }
    QString text = QString::fromLocal8Bit(std::strerror(errnum));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

Failure SafeFile::writeError(int errnum) const {
    if (errnum == ENOMEM)
        return Failure::outOfMemory();
    return Failure::cannotWrite({}, reason(errnum).toStdString());
}

bool SafeFile::fail(Failure failure) {
    if (!failure_) {
        failure.path = path_.toStdString();
        const QString why = failure.kind == Failure::Kind::OutOfMemory
                                ? reason(ENOMEM)
                                : QString::fromStdString(failure.reason);
        setErrorString(QStringLiteral("cannot write '%1': %2").arg(path_, why));
        failure_ = std::move(failure);
    }
    // Still open, so that whatever writes on finds out quietly.
    removeTemporary();
    return false;
}

void SafeFile::discard(const QString& why) {
    discard(Failure::cannotWrite({}, why.toStdString()));
}

void SafeFile::discard(Failure why) {
    fail(std::move(why));
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
    TemporaryNames::forget(std::exchange(tracked_, -1));
    temporary_.clear();
    buffer_.clear();
}

bool SafeFile::open(OpenMode mode) {
    if (isOpen() || (mode & ~(QIODevice::WriteOnly | QIODevice::Truncate)) ||
        !(mode & QIODevice::WriteOnly))
        return fail(writeError(EINVAL));
    failure_.reset();
    ignoreFileSizeSignal();

    target_ = QFile::encodeName(QFileInfo(path_).absoluteFilePath());
    if (const int error = followLinks(target_))
        return fail(writeError(error));
    struct stat existing {};
    const bool replaces = ::stat(target_.constData(), &existing) == 0;
    if (replaces && S_ISDIR(existing.st_mode))
        return fail(writeError(EISDIR));
    // Some file systems know no unnamed files: a named one there.
    fd_ = openUnnamed(folderOf(target_));
    if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return fail(writeError(errno));
    if (fd_ < 0 && !nameTemporary(false))
        return false;
    // Created with the usual permissions (0666 less the umask), or the replaced file's.
    if (replaces)
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
            return fail(writeError(written < 0 ? errno : ENOSPC));
        data += written;
        left -= written;
    }
    buffer_.clear();
    return true;
}

qint64 SafeFile::writeData(const char* data, qint64 length) {
    if (failure_ || fd_ < 0)
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
    if (failure_ || fd_ < 0)
        return false;
    // Every picture the game makes has pixels: a null one is what Qt returns when it could not
    // get the memory for it.
    if (image.isNull()) {
        discard(Failure::outOfMemory());
        return false;
    }
    try {
        // Encoded in memory first: libpng has its own say on stderr when the device fails it.
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        const QString why = encodeImage(encoded, image, format);
        if (!why.isEmpty()) {
            discard(why);
            return false;
        }
        return write(encoded.data()) == encoded.size();
    } catch (const std::bad_alloc&) {
        discard(Failure::outOfMemory());
        return false;
    }
}

bool SafeFile::commit() {
    const bool committed = !failure_ && fd_ >= 0 && putInPlace();
    QIODevice::close();
    return committed;
}

bool SafeFile::putInPlace() {
    if (!flushBuffer())
        return false;
    // Some file systems report a full disk only when the data reach it.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        return fail(writeError(errno));
    // A link never replaces a file, a rename does: the whole file gets a hidden name first.
    if (temporary_.isEmpty() && !nameTemporary(true))
        return false;
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        return fail(writeError(errno));
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return fail(writeError(errno));
    TemporaryNames::forget(std::exchange(tracked_, -1));
    temporary_.clear();
    return true;
}

bool SafeFile::nameTemporary(bool linkUnnamed) {
    const qsizetype slash = target_.lastIndexOf('/');
    const QByteArray stem = target_.left(slash + 1) + '.' + target_.mid(slash + 1) + ".tmp-";
    for (int attempt = 0;; ++attempt) {
        temporary_ = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        tracked_ = TemporaryNames::track(temporary_.constData());
        const bool made = linkUnnamed
                              ? ::linkat(AT_FDCWD, procPath(fd_).constData(), AT_FDCWD,
                                         temporary_.constData(), AT_SYMLINK_FOLLOW) == 0
                              : (fd_ = ::open(temporary_.constData(),
                                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)) >= 0;
        if (made)
            return true;
        const int error = errno;
        TemporaryNames::forget(std::exchange(tracked_, -1));
        temporary_.clear();
        if (error != EEXIST || attempt == 100)
            return fail(writeError(error));
    }
}
