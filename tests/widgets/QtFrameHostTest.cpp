#include "window/QtFrameHost.h"
#include "Screen.h"
#include "pacing/FramePacer.h"

#include <QElapsedTimer>
#include <QtTest>

#include <thread>

namespace {

constexpr std::int64_t ms = 1'000'000;

} // namespace

// The pacer on Qt's clock and event loop; its rules are in the core tests.
class QtFrameHostTest : public QObject {
    Q_OBJECT

  private slots:
    void realTimeFollowsTheNominalTimeline() {
        QtFrameHost host;
        Screen screen(host);
        FramePacer pacer(screen, host);
        pacer.start();
        for (std::int64_t nominal = 0; nominal <= 300 * ms; nominal += ms / 20)
            pacer.reached(nominal);
        // Never ahead of the timeline by more than the slack it allows itself.
        QVERIFY(screen.elapsedNs() >= 297 * ms);
        // At most one frame per display frame, and frames all along.
        QVERIFY(screen.ShortestGap() >= 16 * ms);
        QVERIFY(screen.frames.size() >= 10);
    }

    void aWakeEndsTheSleepUnderWayOnly() {
        QtFrameHost host;
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(20, [&host] { host.wake(); });
        host.sleep(1000);
        QVERIFY(clock.elapsed() < 500);
        // No sleep was under way: the next one lasts its time.
        host.wake();
        clock.restart();
        host.sleep(30);
        QVERIFY(clock.elapsed() >= 30);
    }

    void aCloseFromTheEventLoopStopsThePictureAtOnce() {
        QtFrameHost host;
        Screen screen(host);
        FramePacer pacer(screen, host);
        pacer.start();
        QTimer::singleShot(50, [&pacer] { pacer.stop(); });
        QVERIFY_THROWS_EXCEPTION(PaintingStopped, pacer.reached(10'000 * ms));
        QVERIFY(screen.elapsedNs() < 1000 * ms);
        QVERIFY_THROWS_EXCEPTION(PaintingStopped, pacer.reached(0));
    }

    void atSpeedZeroTheEventLoopStillRuns() {
        QtFrameHost host;
        Screen screen(host);
        FramePacer pacer(screen, host);
        pacer.setSpeed(0);
        pacer.start();
        QTimer::singleShot(10, [&pacer] { pacer.stop(); });
        QVERIFY_THROWS_EXCEPTION(PaintingStopped, [&pacer] {
            // A millisecond of work for each second of picture, for up to a second.
            for (std::int64_t nominal = 0; nominal < 1000'000 * ms; nominal += 1000 * ms) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                pacer.reached(nominal);
            }
        }());
    }
};

QTEST_MAIN(QtFrameHostTest)
#include "QtFrameHostTest.moc"
