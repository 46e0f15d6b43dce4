#include "app/SignalCloser.h"
#include "TestWindow.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>

#include <csignal>
#include <memory>

// SIGTERM, SIGINT and SIGHUP end the game as closing its window does: at once, saving the
// settings, with status 0.
class SignalCloserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;

    QString settingsPath() const {
        return home->filePath(QStringLiteral("config/brumox/brumox.ini"));
    }
    // The real game, headless, with a home of its own; the signal once it is up and running.
    int signalled(int signal, const QStringList& arguments = {}) const {
        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home->filePath(QStringLiteral("config")));
        game.setProcessEnvironment(environment);
        game.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brumox"), arguments);
        if (!game.waitForStarted())
            return -1;
        QTest::qWait(1500);
        ::kill(static_cast<pid_t>(game.processId()), signal);
        if (!game.waitForFinished(5000) || game.exitStatus() != QProcess::NormalExit)
            return -1;
        return game.exitCode();
    }

  private slots:
    void init() { home = std::make_unique<QTemporaryDir>(); }

    void aSignalMidPictureEndsTheGamePromptly() {
        TestWindow game(1, ViewMode::Actual, std::nullopt);
        GameWindow& window = game.window;
        new SignalCloser(window);
        QVERIFY(game.show());
        game.advance(1);
        QTimer::singleShot(0, this, [&game] { game.advance(1); });
        QTimer::singleShot(300, this, [] { std::raise(SIGTERM); });
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!window.runner().busy() && !window.isVisible());
        QCOMPARE(game.step(), 2);
    }

    // As under nohup: a hang-up ignored from the start neither closes the window nor stops being
    // ignored, before or after the closer goes, while the other ending signals still close it.
    void aSignalIgnoredFromTheStartStaysIgnored() {
        struct sigaction ignore = {}, before = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        QCOMPARE(::sigaction(SIGHUP, &ignore, &before), 0);
        const std::unique_ptr<struct sigaction, void (*)(struct sigaction*)> restore(
            &before, [](struct sigaction* old) { ::sigaction(SIGHUP, old, nullptr); });
        const auto hangUpIgnored = [] {
            struct sigaction current = {};
            return ::sigaction(SIGHUP, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
        };

        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* closer = new SignalCloser(window);
        QVERIFY(hangUpIgnored());
        std::raise(SIGHUP);
        QTest::qWait(300);
        QVERIFY(window.isVisible());
        std::raise(SIGTERM);
        QTRY_VERIFY(!window.isVisible());
        delete closer;
        QVERIFY(hangUpIgnored());
    }

    void theGameEndsCleanlyOnEachEndingSignalAndKeepsItsSettings() {
        QCOMPARE(signalled(SIGTERM), 0);
        QVERIFY(QFile::exists(settingsPath()));
        QSettings settings(settingsPath(), QSettings::IniFormat);
        QVERIFY(!settings.value(QStringLiteral("window/geometry")).toByteArray().isEmpty());
        QVERIFY(settings.contains(QStringLiteral("game/view")));

        // A speed, from the command line or not, is for that run only.
        QCOMPARE(signalled(SIGINT, {QStringLiteral("--speed"), QStringLiteral("4")}), 0);
        settings.sync();
        QVERIFY(!settings.contains(QStringLiteral("game/speed")));
        QVERIFY(settings.contains(QStringLiteral("game/view")));

        // A closed terminal too: the settings are written again, not lost.
        QVERIFY(QFile::remove(settingsPath()));
        QCOMPARE(signalled(SIGHUP), 0);
        QVERIFY(QFile::exists(settingsPath()));
    }

    void writingTheIconLeavesTheSettingsAlone() {
        QVERIFY(QDir(home->path()).mkpath(QStringLiteral("config/brumox")));
        QFile garbage(settingsPath());
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(100, '\0'));
        garbage.close();
        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home->filePath(QStringLiteral("config")));
        game.setProcessEnvironment(environment);
        game.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brumox"),
                   {QStringLiteral("--write-icon"), home->filePath(QStringLiteral("icon.png"))});
        QVERIFY(game.waitForFinished(10'000));
        QCOMPARE(game.exitCode(), 0);
        QVERIFY(!game.readAllStandardError().contains("settings"));
        QVERIFY(garbage.open(QIODevice::ReadOnly));
        QCOMPARE(garbage.readAll(), QByteArray(100, '\0'));
    }
};

QTEST_MAIN(SignalCloserTest)
#include "SignalCloserTest.moc"
