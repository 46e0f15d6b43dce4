#include "files/SafeFile.h"
#include "FailingDevice.h"
#include "FolderContents.h"
#include "FormatRows.h"
#include "record/GifWriter.h"
#include "record/WebpWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The child's file size limit, as `ulimit -f 20` sets it.
constexpr rlim_t LimitBytes = 20 * 1024;

QImage noise(QSize size, quint32 seed) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

// Four frames of noise through an animation writer, as the recorder does.
template <typename Writer> bool animate(SafeFile& out) {
    Writer writer;
    bool ok = writer.open(out, QSize(160, 120));
    for (int i = 0; i < 4; ++i)
        ok = ok && writer.addFrame(noise(QSize(160, 120), i), i * 100'000'000LL);
    if (!(ok && writer.finish(400'000'000LL)))
        out.discard(writer.errorString());
    return !out.hasFailed();
}

// In a child process with a small file size limit: writes `what` to `path` the way the game
// does, prints the message on failure.
int writeLimited(const QString& what, const QString& path) {
    SafeFile out(path);
    bool ok = out.open(QIODevice::WriteOnly);
    if (what == QLatin1String("png"))
        ok = ok && out.writeImage(noise(QSize(200, 200), 1));
    else if (what == QLatin1String("small-png"))
        ok = ok && out.writeImage(noise(QSize(8, 8), 1));
    else if (what == QLatin1String("bytes")) // held back until the commit
        ok = ok && out.write(QByteArray(30'000, 'x')) == 30'000;
    else
        ok = ok &&
             (what == QLatin1String("gif") ? animate<GifWriter>(out) : animate<WebpWriter>(out));
    ok = ok && out.commit();
    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(out.errorString()));
    return ok ? 0 : 1;
}

struct Outcome {
    bool exited = false; // rather than killed by a signal
    int status = -1;
    QString message;
};

Outcome runLimited(const QString& what, const QString& path) {
    QProcess child;
    child.setChildProcessModifier([] {
        const rlimit limit{LimitBytes, LimitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        // As a shell leaves it: past the limit the signal ends the program, unless it sees to it.
        std::signal(SIGXFSZ, SIG_DFL);
    });
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--write-limited"), what, path});
    Outcome outcome;
    if (!child.waitForFinished(30'000))
        return outcome;
    outcome.exited = child.exitStatus() == QProcess::NormalExit;
    outcome.status = child.exitCode();
    outcome.message = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
    return outcome;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the folder's file system makes files with no name (not every one does).
bool unnamedFilesIn(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
    SafeFile out(path);
    const bool written =
        out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
    if (error)
        *error = out.errorString();
    return written;
}

} // namespace

class SafeFileTest : public QObject {
    Q_OBJECT

  private slots:
    void theFileAppearsWholeOnlyOnCommit() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tour.gif"));
        QByteArray bytes(300'000, Qt::Uninitialized);
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        SafeFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        // Small writes and one larger than what is kept in memory.
        for (qsizetype at = 0; at < 1000; at += 10)
            QCOMPARE(out.write(bytes.constData() + at, 10), 10);
        QCOMPARE(out.write(bytes.constData() + 1000, 200'000), 200'000);
        QCOMPARE(out.write(bytes.mid(201'000)), 99'000);
        QVERIFY(!QFile::exists(path));
        // Unnamed until it is whole, where the file system allows it; hidden otherwise.
        const QStringList meanwhile = everything(dir.path());
        if (unnamedFilesIn(dir.path()))
            QVERIFY2(meanwhile.isEmpty(), qPrintable(meanwhile.join(QLatin1Char(' '))));
        else
            QVERIFY(meanwhile.size() == 1 &&
                    meanwhile.front().startsWith(QLatin1String(".tour.gif.tmp-")));
        QVERIFY(out.commit());
        QCOMPARE(everything(dir.path()), QStringList{QStringLiteral("tour.gif")});
        QCOMPARE(contents(path), bytes);

        // New files get the usual permissions; a replaced file keeps its own.
        const mode_t mask = umask(022);
        umask(mask);
        struct stat made {};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &made), 0);
        QCOMPARE(made.st_mode & 0777, 0666 & ~mask);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        SafeFile again(path);
        QVERIFY(again.open(QIODevice::WriteOnly));
        QCOMPARE(again.write("new"), 3);
        QVERIFY(again.commit());
        QCOMPARE(contents(path), QByteArray("new"));
        QCOMPARE(stat(QFile::encodeName(path).constData(), &made), 0);
        QCOMPARE(made.st_mode & 0777, 0600u);
    }

    void aFileGivenUpOnLeavesTheOldOneAlone() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("still.png"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        {
            SafeFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("half");
        } // never committed
        {
            SafeFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("half");
            out.discard(QStringLiteral("the encoder ran out of memory"));
            QCOMPARE(out.errorString(),
                     QStringLiteral("cannot write '%1': the encoder ran out of memory").arg(path));
            QVERIFY(!out.commit());
        }
        QCOMPARE(everything(dir.path()), QStringList{QStringLiteral("still.png")});
        QCOMPARE(contents(path), QByteArray("old"));
    }

    void aPathThatCannotBeWrittenSaysWhy() {
        QTemporaryDir dir;
        SafeFile folder(dir.path());
        QVERIFY(!folder.open(QIODevice::WriteOnly));
        QCOMPARE(folder.errorString(),
                 QStringLiteral("cannot write '%1': it is a folder").arg(dir.path()));
        const QString nowhere = dir.filePath(QStringLiteral("missing/tour.gif"));
        SafeFile missing(nowhere);
        QVERIFY(!missing.open(QIODevice::WriteOnly));
        QCOMPARE(missing.errorString(),
                 QStringLiteral("cannot write '%1': no such file or directory").arg(nowhere));
        QVERIFY(!missing.commit());
        QVERIFY(everything(dir.path()).isEmpty());
    }

    void writingThroughLinksWritesTheFileAtTheEndOfTheChain() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        // Each link is read from its own folder: c.png is sub/c.png, d.png is sub/d.png.
        const auto link = [&](const char* target, const char* name) {
            return QFile::link(QString::fromLatin1(target), dir.filePath(QLatin1String(name)));
        };
        QVERIFY(link("b.png", "a.png") && link("sub/c.png", "b.png") && link("d.png", "sub/c.png"));
        const QString end = dir.filePath(QStringLiteral("sub/d.png"));
        QVERIFY(write(end, "old"));
        QVERIFY(write(dir.filePath(QStringLiteral("a.png")), "new"));
        QCOMPARE(contents(end), QByteArray("new"));
        for (const char* name : {"a.png", "b.png", "sub/c.png"})
            QVERIFY2(QFileInfo(dir.filePath(QLatin1String(name))).isSymLink(), name);
        QCOMPARE(
            everything(dir.path()),
            QStringList({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("sub")}));
        QCOMPARE(everything(dir.filePath(QStringLiteral("sub"))),
                 QStringList({QStringLiteral("c.png"), QStringLiteral("d.png")}));

        // A dangling chain makes its last file.
        QVERIFY(link("f.png", "e.png") && link("sub/g.png", "f.png"));
        QVERIFY(write(dir.filePath(QStringLiteral("e.png")), "made"));
        QCOMPARE(contents(dir.filePath(QStringLiteral("sub/g.png"))), QByteArray("made"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("f.png"))).isSymLink());

        // A loop is refused, in one line, and leaves nothing.
        QVERIFY(link("y.png", "x.png") && link("x.png", "y.png"));
        const QStringList before = everything(dir.path());
        QString error;
        const QString loop = dir.filePath(QStringLiteral("x.png"));
        QVERIFY(!write(loop, "never", &error));
        QCOMPARE(error,
                 QStringLiteral("cannot write '%1': too many levels of symbolic links").arg(loop));
        QCOMPARE(everything(dir.path()), before);
    }

    // The failure keeps its kind: a picture Qt could not make is memory that ran out, a refused
    // path is a file that cannot be written, and the first failure is the one kept.
    void aFailureKeepsItsKindAndItsFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("still.png"));
        SafeFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QVERIFY(!out.writeImage(QImage()));
        QCOMPARE(out.failure()->kind, Failure::Kind::OutOfMemory);
        QCOMPARE(QString::fromStdString(out.failure()->path), path);
        QCOMPARE(out.errorString(), QStringLiteral("cannot write '%1': out of memory").arg(path));
        out.discard(QStringLiteral("later"));
        QCOMPARE(out.failure()->kind, Failure::Kind::OutOfMemory);
        QVERIFY(everything(dir.path()).isEmpty());

        SafeFile folder(dir.path());
        QVERIFY(!folder.open(QIODevice::WriteOnly));
        QCOMPARE(folder.failure()->kind, Failure::Kind::CannotWrite);
        QCOMPARE(folder.failure()->reason, std::string("it is a folder"));
    }

    void aRenameThatFailsIsAFailure() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("still.png"));
        SafeFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write("picture"), 7);
        // Meanwhile a folder with something in it takes the name: nothing can replace it.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("still.png/inside")));
        QVERIFY(!out.commit());
        QCOMPARE(out.errorString(), QStringLiteral("cannot write '%1': it is a folder").arg(path));
        QCOMPARE(everything(dir.path()), QStringList{QStringLiteral("still.png")});
        QCOMPARE(everything(path), QStringList{QStringLiteral("inside")});
    }

    void aPictureThatDoesNotFitIsNeverReportedAsWritten() {
        const QImage picture = noise(QSize(64, 48), 5);
        FailingDevice roomy(1 << 20);
        QVERIFY(SafeFile::encodeImage(roomy, picture, "png").isEmpty());
        const qint64 whole = roomy.data().size();
        for (const qint64 capacity : {qint64(0), qint64(40), whole / 2, whole - 1}) {
            FailingDevice out(capacity);
            const QString why = SafeFile::encodeImage(out, picture, "png");
            QVERIFY2(!why.isEmpty(), qPrintable(QString::number(capacity)));
            QVERIFY(!why.contains(QLatin1String("Unknown error")));
        }
    }

    void theFileSizeLimitIsReportedAndLeavesNothing_data() {
        addFormatRows("what");
        QTest::newRow("bytes") << QStringLiteral("bytes");
    }
    void theFileSizeLimitIsReportedAndLeavesNothing() {
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.") + what);
        const Outcome outcome = runLimited(what, path);
        QVERIFY2(outcome.exited, "the program was killed");
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.message,
                 QStringLiteral("cannot write '%1': the file is too large for the file system or "
                                "the file size limit")
                     .arg(path));
        QVERIFY2(everything(dir.path()).isEmpty(),
                 qPrintable(everything(dir.path()).join(QLatin1Char(' '))));

        // The same child writes what fits.
        const QString small = dir.filePath(QStringLiteral("small.png"));
        const Outcome fits = runLimited(QStringLiteral("small-png"), small);
        QCOMPARE(fits.status, 0);
        QCOMPARE(QImage(small), noise(QSize(8, 8), 1));
    }
};

int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "--write-limited") == 0)
        return writeLimited(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QGuiApplication app(argc, argv);
    SafeFileTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "SafeFileTest.moc"
