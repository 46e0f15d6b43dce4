#include "window/SoundOutput.h"
#include "CapturedStderr.h"
#include "TestWindow.h"

#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int Rate = Mixer::SampleRate;
// Well under the quietest cue's level, well over rounding.
constexpr int Audible = 64;

std::vector<std::int16_t> samplesIn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

std::optional<std::size_t> firstAudible(const std::vector<std::int16_t>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (std::abs(samples[i]) > Audible)
            return i;
    return std::nullopt;
}

std::size_t lastAudible(const std::vector<std::int16_t>& samples) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (std::abs(samples[i]) > Audible)
            last = i;
    return last;
}

} // namespace

// The window's sound through SDL, on drivers that need no sound card: "disk" writes what the
// device would play to a file, in real time; a driver that does not exist is a machine with no
// sound at all.
class SoundOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder{QStringLiteral("/tmp/e-scratch/t-XXXXXX")};
    std::unique_ptr<TestWindow> game;

    QString played() const { return folder.filePath(QStringLiteral("played.raw")); }
    void playTo(const QString& file) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", file.toLocal8Bit());
    }
    // Where the device is: the samples written so far, to within the file's buffering. The disk
    // driver keeps real time only roughly on a busy machine, so the test goes by its clock.
    std::int64_t devicePosition() const { return QFileInfo(played()).size() / 2; }
    // The title, then the lair: about two seconds at speed 1, rumble and chink. Gives where the
    // device was when the lair's click came and when its last frame showed.
    std::pair<std::int64_t, std::int64_t> playTheLair() {
        game->click(TestWindow::Bare);
        const std::int64_t atClick = devicePosition();
        game->click(TestWindow::Bare);
        return {atClick, devicePosition()};
    }

  private slots:
    void initTestCase() {
        // The disk driver warns that it is one, loudly, each time.
        SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    }
    void init() {
        game = std::make_unique<TestWindow>(1.0);
        QVERIFY(game->show());
    }
    void cleanup() { game.reset(); }

    void theLairIsHeardWhileItPaintsAndAtItsPace() {
        playTo(played());
        std::pair<std::int64_t, std::int64_t> lair;
        {
            SoundOutput sound(game->window);
            QVERIFY(sound.playing());
            lair = playTheLair();
            QTRY_VERIFY(sound.mix().quiet());
        }
        const auto [atClick, atEnd] = lair;
        const std::vector<std::int16_t> samples = samplesIn(played());
        const std::optional<std::size_t> found = firstAudible(samples);
        QVERIFY(found);
        const auto onset = static_cast<std::int64_t>(*found);
        const auto last = static_cast<std::int64_t>(lastAudible(samples));
        // From the lair's first frame to its last, give or take the file's buffering (4 KiB), a
        // device buffer or two and a frame.
        constexpr std::int64_t Slack = Rate / 10;
        const QString said = QStringLiteral("sound %1 to %2, picture %3 to %4")
                                 .arg(onset)
                                 .arg(last)
                                 .arg(atClick)
                                 .arg(atEnd);
        QVERIFY2(std::abs(onset - atClick) < Slack, qPrintable(said));
        QVERIFY2(std::abs(last - atEnd) < Slack, qPrintable(said));
        // The rumble stops with the body grown, well before the coins chink.
        std::int64_t longestQuiet = 0;
        for (std::int64_t i = onset, quiet = 0; i < last; ++i) {
            quiet = std::abs(samples[static_cast<std::size_t>(i)]) > Audible ? 0 : quiet + 1;
            longestQuiet = std::max(longestQuiet, quiet);
        }
        QVERIFY2(longestQuiet > (atEnd - atClick) / 5, qPrintable(said));
    }

    void mutedNothingIsHeardAndUnmutedTheNextCueIs() {
        playTo(played());
        {
            SoundOutput sound(game->window);
            game->window.setMuted(true);
            playTheLair();
            QVERIFY(sound.mix().quiet());
        }
        QVERIFY(!firstAudible(samplesIn(played())));
        QVERIFY(samplesIn(played()).size() > Rate);

        // Switched back on, before the output is made and after.
        const QString again = folder.filePath(QStringLiteral("again.raw"));
        playTo(again);
        {
            SoundOutput sound(game->window);
            QVERIFY(sound.mix().muted());
            game->window.setMuted(false);
            // Three captions, then the goblin pops out.
            for (int i = 0; i < 4; ++i)
                game->click(TestWindow::Bare);
            QTRY_VERIFY(sound.mix().quiet());
        }
        QVERIFY(firstAudible(samplesIn(again)));
    }

    void noDeviceIsOneLineAndTheGamePlaysOnSilently() {
        qputenv("SDL_AUDIODRIVER", "nonexistent");
        CapturedStderr errors;
        {
            SoundOutput sound(game->window);
            QVERIFY(!sound.playing());
            playTheLair();
            QCOMPARE(game->step(), 2);
            QVERIFY(sound.mix().quiet());
        }
        const QByteArray said = errors.text();
        QVERIFY2(said.startsWith("brumox: no sound: ") && said.count('\n') == 1 &&
                     said.endsWith('\n'),
                 said.constData());
    }

    // A device whose writes fail stops for good: said once, then the game plays on.
    void aDeviceThatStopsMidGameIsOneLineToo() {
        playTo(QStringLiteral("/dev/full"));
        CapturedStderr errors;
        {
            SoundOutput sound(game->window);
            QVERIFY(sound.playing());
            QTRY_VERIFY_WITH_TIMEOUT(!sound.playing(), 5000);
            playTheLair();
            QCOMPARE(game->step(), 2);
            QTest::qWait(1200); // the device is asked once a second
        }
        QCOMPARE(errors.text(), QByteArray("brumox: no sound: the audio device stopped\n"));
    }

    // Closed mid-cue, as a window closed mid-picture: the device's thread ends before the mix.
    void goingAwayMidCueStopsTheDeviceFirst() {
        playTo(played());
        for (int round = 0; round < 5; ++round) {
            auto sound = std::make_unique<SoundOutput>(game->window);
            game->click(TestWindow::Bare);
            QTest::mouseClick(game->window.windowHandle(), Qt::LeftButton, {}, TestWindow::Bare);
            QTest::qWait(50 * round);
            sound.reset();
            game->window.runner().stop();
            init();
        }
    }
};

QTEST_MAIN(SoundOutputTest)
#include "SoundOutputTest.moc"
