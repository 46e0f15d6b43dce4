#include "app/SignalUnlinker.h"
#include "FolderContents.h"
#include "files/TemporaryNames.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// A program writing files with no window ends on SIGTERM, SIGINT or SIGHUP as the signal would,
// but first removes the temporaries being written, named ones included.
class SignalUnlinkerTest : public QObject {
    Q_OBJECT

  private slots:
    void aSignalRemovesTheTrackedNamesAndEndsTheProgram_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("TERM") << SIGTERM;
        QTest::newRow("INT") << SIGINT;
        QTest::newRow("HUP") << SIGHUP;
    }
    void aSignalRemovesTheTrackedNamesAndEndsTheProgram() {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QByteArray tracked = QFile::encodeName(dir.filePath(QStringLiteral(".a.gif.tmp-1")));
        const QByteArray forgotten = QFile::encodeName(dir.filePath(QStringLiteral("b.gif")));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Nothing but system calls in the child: it shares the test's Qt state.
            const SignalUnlinker unlinker;
            for (const QByteArray& name : {tracked, forgotten}) {
                const int slot = TemporaryNames::track(name.constData());
                ::close(::open(name.constData(), O_WRONLY | O_CREAT, 0600));
                if (name == forgotten)
                    TemporaryNames::forget(slot); // it got its final name
            }
            ::raise(signal);
            ::_exit(0); // never reached
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFSIGNALED(status), qPrintable(QString::number(status)));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(everything(dir.path()), QStringList{QStringLiteral("b.gif")});
    }
};

QTEST_MAIN(SignalUnlinkerTest)
#include "SignalUnlinkerTest.moc"
