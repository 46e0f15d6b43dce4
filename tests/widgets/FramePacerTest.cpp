#include "window/FramePacer.h"
#include "Screen.h"

#include <QElapsedTimer>
#include <QtTest>

#include <thread>
#include <vector>

namespace {

constexpr std::int64_t ms = 1'000'000;

} // namespace

class FramePacerTest : public QObject {
    Q_OBJECT

  private slots:
    void realTimeFollowsTheNominalTimeline() {
        Screen screen;
        FramePacer pacer(screen);
        pacer.setFrameInterval(16 * ms);
        pacer.start();
        for (std::int64_t nominal = 0; nominal <= 300 * ms; nominal += ms / 20)
            pacer.reached(nominal);
        // Never ahead of the timeline by more than the slack it allows itself.
        QVERIFY(screen.clock.nsecsElapsed() >= 297 * ms);
        // At most one frame per display frame, and frames all along.
        QVERIFY(screen.ShortestGap() >= 16 * ms);
        QVERIFY(screen.frames.size() >= 10);
    }

    void aSpeedOfTwoHalvesTheWaitAndZeroNeverWaits() {
        Screen screen;
        FramePacer pacer(screen);
        pacer.setSpeed(2);
        pacer.start();
        pacer.reached(200 * ms);
        QVERIFY(screen.clock.nsecsElapsed() >= 97 * ms);
        QVERIFY(screen.clock.nsecsElapsed() < 190 * ms);

        Screen fast;
        FramePacer never(fast);
        never.setSpeed(0);
        never.start();
        never.reached(10'000 * ms);
        QVERIFY(fast.clock.nsecsElapsed() < 50 * ms);
    }

    void aMachineSlowerThanTheTimelineStillShowsFrames() {
        Screen screen;
        FramePacer pacer(screen);
        pacer.setFrameInterval(16 * ms);
        pacer.start();
        // Each step takes a millisecond of real work but only 10 us of nominal time.
        for (int step = 0; step < 100; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            pacer.reached(step * ms / 100);
        }
        QVERIFY(screen.frames.size() >= 4);
        QVERIFY(screen.ShortestGap() >= 16 * ms);
    }

    // A flickering painter: a ball drawn, held for a pause, erased, drawn a little further on.
    // The screen should show the ball in nearly every frame, not whenever the frame happens to
    // fall between an erase and the next ball.
    void framesCatchThePainterAtItsHolds() {
        struct Ball : FramePacer::Presenter {
            bool hasDirty() const override { return true; }
            void present() override { shown.push_back(on); }
            bool on = false;
            std::vector<bool> shown;
        } ball;
        FramePacer pacer(ball);
        pacer.setFrameInterval(16 * ms);
        pacer.start();
        const std::int64_t primitive = 200'000, pause = 100'000; // as the fire ball, in ns
        std::int64_t nominal = 0;
        while (nominal < 400 * ms) {
            ball.on = true;
            pacer.reached(nominal += primitive);
            pacer.pausing(nominal);
            pacer.reached(nominal += pause);
            ball.on = false;
            pacer.reached(nominal += primitive);
        }
        QVERIFY(ball.shown.size() >= 15);
        const auto on = std::count(ball.shown.begin(), ball.shown.end(), true);
        // Sampled at random moments, the ball would be on about 60% of the frames; a machine busy
        // with something else may make a frame or two come late, past every hold.
        QVERIFY2(on * 100 >= 90 * static_cast<long>(ball.shown.size()),
                 qPrintable(QStringLiteral("%1 of %2").arg(on).arg(ball.shown.size())));
    }

    void stoppingEndsAWaitAtOnce() {
        Screen screen;
        FramePacer pacer(screen);
        pacer.start();
        QTimer::singleShot(50, [&pacer] { pacer.stop(); });
        QVERIFY_THROWS_EXCEPTION(PaintingStopped, pacer.reached(10'000 * ms));
        QVERIFY(screen.clock.nsecsElapsed() < 1000 * ms);
        QVERIFY_THROWS_EXCEPTION(PaintingStopped, pacer.reached(0));
    }
};

QTEST_MAIN(FramePacerTest)
#include "FramePacerTest.moc"
