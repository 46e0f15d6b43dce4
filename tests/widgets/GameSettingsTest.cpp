#include "window/GameSettings.h"
#include "CapturedStderr.h"
#include "TestWindow.h"

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

} // namespace

// Settings live in a file of the test's own: the player's are never touched.
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
    QVariant stored(const QString& key) const {
        return QSettings(path(), QSettings::IniFormat).value(key);
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
        first.player().setSpeed(4);
        first.setViewMode(ViewMode::Fit);
        end();

        GameWindow& next = start();
        QCOMPARE(next.player().speed(), 4.0);
        QCOMPARE(next.viewMode(), ViewMode::Fit);
        QCOMPARE(next.geometry(), QRect(60, 70, 600, 400));
        QVERIFY(next.isVisible());

        next.player().setSpeed(0); // instant is a speed too
        end();
        QCOMPARE(start().player().speed(), 0.0);
    }

    void theCommandLineWinsForItsRunAndIsNotRemembered() {
        write("[game]\nspeed=2\nview=fit\n");
        StartupChoices choices;
        choices.speed = 8;
        choices.view = ViewMode::Actual;
        choices.size = QSize(500, 400);
        GameWindow& run = start(choices);
        QCOMPARE(run.player().speed(), 8.0);
        QCOMPARE(run.viewMode(), ViewMode::Actual);
        QCOMPARE(run.size(), QSize(500, 400));
        end();
        QCOMPARE(stored(QStringLiteral("game/speed")).toDouble(), 2.0);
        QCOMPARE(stored(QStringLiteral("game/view")).toString(), QStringLiteral("fit"));
        QVERIFY(!stored(QStringLiteral("window/geometry")).isValid());
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
        QCOMPARE(run.player().speed(), 1.0);
        QCOMPARE(run.viewMode(), firstRunView());

        run.player().setSpeed(0.5);
        end();
        QCOMPARE(QSettings(path(), QSettings::IniFormat).status(), QSettings::NoError);
        QCOMPARE(start().player().speed(), 0.5);

        // Not a file at all: no settings, no crash.
        QVERIFY(QFile::remove(path()));
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("brumox.ini")));
        CapturedStderr again;
        QCOMPARE(start().player().speed(), 1.0);
        QVERIFY(again.text().startsWith("brumox: ignoring unreadable settings in "));
    }

    void valuesOutOfRangeAreIgnoredQuietly() {
        for (const char* speed : {"100", "-1", "0.001", "fast", "nan"}) {
            write("[game]\nspeed=" + QByteArray(speed) + "\nview=zoomed\n");
            CapturedStderr errors;
            GameWindow& run = start();
            QCOMPARE(errors.text(), QByteArray());
            QCOMPARE(run.player().speed(), 1.0);
            QCOMPARE(run.viewMode(), firstRunView());
        }
        write("[window]\ngeometry=@ByteArray(nonsense)\n");
        QVERIFY(start().isVisible());
    }

    void aWindowLeftOffScreenComesBackOnIt() {
        GameWindow& first = start();
        first.setGeometry(5000, 4000, 3000, 2000);
        end();
        GameWindow& next = start();
        const QRect room = next.screen()->availableGeometry();
        QVERIFY2(room.contains(next.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                     .arg(next.x())
                                                                     .arg(next.y())
                                                                     .arg(next.width())
                                                                     .arg(next.height())));
    }
};

QTEST_MAIN(GameSettingsTest)
#include "GameSettingsTest.moc"
