#include "window/GameSettings.h"
#include "CapturedStderr.h"
#include "TestWindow.h"
#include "window/GameActions.h"

#include <QDataStream>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

// One run of the game, from reading the settings to saving them at the end.
struct Run {
    explicit Run(const QString& path, const StartupChoices& choices = {}) : settings(path) {
        settings.applyAtStart(game.window, choices);
    }
    void end() { settings.save(game.window); }

    GameSettings settings;
    // As the game starts: at its own pace, with the clock's seed.
    TestWindow game{1.0, ViewMode::Actual, std::nullopt};
};

// A window geometry as QWidget::saveGeometry() writes it, with any client rectangle, even one
// that no widget would take.
QByteArray savedGeometry(const QRect& client) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_4_0);
    const QRect frame = client.adjusted(-2, -2, 2, 2);
    stream << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << frame << client << qint32(0)
           << quint8(0) << quint8(0) << qint32(800) << client;
    return bytes;
}

const QByteArray GeometryWarning = "brumox: ignoring the remembered window geometry\n";

} // namespace

// Settings live in a file of the test's own: the player's are never touched. The offscreen
// screen is 800 x 800, all of it room for windows.
class GameSettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::vector<std::unique_ptr<Run>> runs;

    QString path() const { return folder->filePath(QStringLiteral("brumox.ini")); }
    GameWindow& start(const StartupChoices& choices = {}) {
        runs.push_back(std::make_unique<Run>(path(), choices));
        return runs.back()->game.window;
    }
    void end() { runs.back()->end(); }
    void write(const QByteArray& content) const {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void remember(const QString& key, const QVariant& value) const {
        QSettings(path(), QSettings::IniFormat).setValue(key, value);
    }
    QVariant stored(const QString& key) const {
        return QSettings(path(), QSettings::IniFormat).value(key);
    }
    bool holds(const QString& key) const {
        return QSettings(path(), QSettings::IniFormat).contains(key);
    }

    // What a first run shows on this screen: the offscreen screen is smaller than the design,
    // so the picture is fitted there.
    static ViewMode firstRunView() {
        TestWindow fresh(1.0, ViewMode::Actual, std::nullopt);
        fresh.window.showAtPreferredSize();
        return fresh.window.viewMode();
    }

  private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }
    void cleanup() { runs.clear(); }

    void theWindowComesBackAsItWasLeft() {
        GameWindow& first = start();
        QVERIFY(first.isVisible());
        first.setGeometry(60, 70, 600, 400);
        first.setViewMode(ViewMode::Fit);
        end();

        CapturedStderr errors;
        GameWindow& next = start();
        QCOMPARE(errors.text(), QByteArray());
        QCOMPARE(next.viewMode(), ViewMode::Fit);
        QCOMPARE(next.geometry(), QRect(60, 70, 600, 400));
        QVERIFY(next.isVisible());
        next.setViewMode(ViewMode::Actual);
        end();
        QCOMPARE(start().viewMode(), ViewMode::Actual);

        // The geometry as the checks read it is the one Qt restores.
        remember(QStringLiteral("window/geometry"), savedGeometry(QRect(90, 80, 500, 350)));
        QCOMPARE(start().geometry(), QRect(90, 80, 500, 350));
    }

    // The speed keys change this run only: every run starts at the designed pace.
    void theSpeedIsNeverRemembered() {
        GameWindow& first = start();
        new GameActions(first);
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        QTest::keyClick(first.windowHandle(), Qt::Key_Plus);
        QCOMPARE(first.runner().speed(), 2.0);
        end();
        QVERIFY(!holds(QStringLiteral("game/speed")));
        QVERIFY(holds(QStringLiteral("window/geometry")));
        QCOMPARE(start().runner().speed(), 1.0);

        // What an older version remembered is ignored, and dropped on saving.
        write("[game]\nspeed=0\nview=fit\n");
        GameWindow& older = start();
        QCOMPARE(older.runner().speed(), 1.0);
        QCOMPARE(older.viewMode(), ViewMode::Fit);
        end();
        QVERIFY(!holds(QStringLiteral("game/speed")));
        QCOMPARE(stored(QStringLiteral("game/view")).toString(), QStringLiteral("fit"));
    }

    void theCommandLineWinsForItsRunAndIsNotRemembered() {
        write("[game]\nview=fit\n");
        StartupChoices choices;
        choices.view = ViewMode::Actual;
        choices.size = QSize(500, 400);
        GameWindow& run = start(choices);
        QCOMPARE(run.viewMode(), ViewMode::Actual);
        QCOMPARE(run.size(), QSize(500, 400));
        end();
        QCOMPARE(stored(QStringLiteral("game/view")).toString(), QStringLiteral("fit"));
        QVERIFY(!holds(QStringLiteral("window/geometry")));
    }

    // M's choice comes back the next run; --mute silences its own run and leaves it as it was.
    void theSoundSwitchIsRememberedButMuteLastsOneRun() {
        GameWindow& first = start();
        QVERIFY(!first.muted());
        new GameActions(first);
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        QTest::keyClick(first.windowHandle(), Qt::Key_M);
        QVERIFY(first.muted());
        end();
        QCOMPARE(stored(QStringLiteral("game/sound")).toString(), QStringLiteral("off"));
        GameWindow& second = start();
        QVERIFY(second.muted());
        second.setMuted(false);
        end();

        StartupChoices mute;
        mute.mute = true;
        QVERIFY(start(mute).muted());
        end();
        QCOMPARE(stored(QStringLiteral("game/sound")).toString(), QStringLiteral("on"));
        QVERIFY(!start().muted());

        // A switch the game does not have: one line, the sound on, and gone once saved, even
        // by a run that remembers nothing in its place.
        remember(QStringLiteral("game/sound"), QStringLiteral("loud"));
        CapturedStderr errors;
        QVERIFY(!start().muted());
        QCOMPARE(errors.text(), QByteArray("brumox: ignoring the remembered sound setting\n"));
        end();
        QCOMPARE(stored(QStringLiteral("game/sound")).toString(), QStringLiteral("on"));
        remember(QStringLiteral("game/sound"), QStringLiteral("loud"));
        CapturedStderr again;
        start(mute);
        end();
        QVERIFY(!again.text().isEmpty());
        QVERIFY(!holds(QStringLiteral("game/sound")));
    }

    void aFileThatCannotBeReadIsIgnoredWithOneWarningAndThenReplaced() {
        QByteArray garbage;
        for (int i = 0; i < 4000; ++i)
            garbage.append(static_cast<char>(i * 7919 % 256));
        write(garbage);
        CapturedStderr errors;
        GameWindow& run = start();
        const QByteArray said = errors.text();
        QCOMPARE(said, "brumox: ignoring unreadable settings in " + path().toLocal8Bit() + "\n");
        QCOMPARE(run.viewMode(), firstRunView());

        run.setGeometry(40, 50, 500, 300);
        end();
        QCOMPARE(QSettings(path(), QSettings::IniFormat).status(), QSettings::NoError);
        QCOMPARE(start().geometry(), QRect(40, 50, 500, 300));

        // Not a file at all: no settings, no crash.
        QVERIFY(QFile::remove(path()));
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("brumox.ini")));
        CapturedStderr again;
        QVERIFY(start().isVisible());
        QVERIFY(again.text().startsWith("brumox: ignoring unreadable settings in "));
    }

    void aBrokenGeometryIsIgnoredOnceAndNeverWrittenBack_data() {
        QTest::addColumn<QByteArray>("geometry");
        QWidget scratch;
        scratch.setGeometry(100, 100, 500, 400);
        const QByteArray whole = scratch.saveGeometry();
        QTest::newRow("garbage") << QByteArray("nonsense");
        QTest::newRow("cut off") << whole.left(whole.size() - 5);
        QTest::newRow("cut off early") << whole.left(12);
        QTest::newRow("empty") << savedGeometry(QRect(100, 100, 0, 0));
        QTest::newRow("negative") << savedGeometry(QRect(QPoint(300, 300), QPoint(100, 100)));
        QTest::newRow("below the minimum") << savedGeometry(QRect(100, 100, 319, 400));
        QTest::newRow("larger than the screen") << savedGeometry(QRect(0, 0, 500, 900));
        QTest::newRow("huge") << savedGeometry(QRect(0, 0, 30000, 20000));
        QTest::newRow("mostly off the screen") << savedGeometry(QRect(600, 500, 400, 400));
        QTest::newRow("far away") << savedGeometry(QRect(-5000, 4000, 600, 400));
    }
    void aBrokenGeometryIsIgnoredOnceAndNeverWrittenBack() {
        QFETCH(QByteArray, geometry);
        remember(QStringLiteral("window/geometry"), geometry);
        CapturedStderr errors;
        GameWindow& run = start();
        QCOMPARE(errors.text(), GeometryWarning);
        // As on a first run: as large as the screen allows, on it.
        QVERIFY(QTest::qWaitForWindowExposed(&run));
        QVERIFY(run.width() >= MinimumSize.width && run.height() >= MinimumSize.height);
        QVERIFY(run.screen()->availableGeometry().contains(run.geometry()));
        QCOMPARE(run.viewMode(), firstRunView());

        end();
        const QByteArray saved = stored(QStringLiteral("window/geometry")).toByteArray();
        QCOMPARE(saved, run.saveGeometry());
        QVERIFY(saved != geometry);
        CapturedStderr later;
        QCOMPARE(start().size(), run.size());
        QCOMPARE(later.text(), QByteArray());
    }

    void aViewTheGameDoesNotHaveIsIgnoredOnceAndNeverWrittenBack() {
        write("[game]\nview=zoomed\n");
        CapturedStderr errors;
        GameWindow& run = start();
        QCOMPARE(errors.text(), QByteArray("brumox: ignoring the remembered view\n"));
        QCOMPARE(run.viewMode(), firstRunView());
        run.setViewMode(ViewMode::Actual);
        end();
        QCOMPARE(stored(QStringLiteral("game/view")).toString(), QStringLiteral("actual"));
    }

    // A run that does not save its own value still drops the broken one.
    void aBrokenValueGoesEvenWhenTheRunRemembersNothingInItsPlace() {
        remember(QStringLiteral("window/geometry"), savedGeometry(QRect(10, 10, 100, 50)));
        remember(QStringLiteral("game/view"), QStringLiteral("zoomed"));
        StartupChoices choices;
        choices.size = QSize(500, 400);
        CapturedStderr errors;
        GameWindow& run = start(choices);
        QCOMPARE(errors.text(), GeometryWarning + "brumox: ignoring the remembered view\n");
        run.toggleFullScreen(); // fullscreen remembers no view
        end();
        QVERIFY(!holds(QStringLiteral("window/geometry")));
        QVERIFY(!holds(QStringLiteral("game/view")));
    }

    // Mostly on the screen is good enough: the window is moved onto it.
    void aWindowPartlyOffTheScreenComesBackOnIt() {
        remember(QStringLiteral("window/geometry"), savedGeometry(QRect(500, 450, 400, 300)));
        CapturedStderr errors;
        GameWindow& run = start();
        QCOMPARE(errors.text(), QByteArray());
        QCOMPARE(run.size(), QSize(400, 300));
        const QRect room = run.screen()->availableGeometry();
        QVERIFY2(room.contains(run.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                    .arg(run.x())
                                                                    .arg(run.y())
                                                                    .arg(run.width())
                                                                    .arg(run.height())));
    }
};

QTEST_MAIN(GameSettingsTest)
#include "GameSettingsTest.moc"
