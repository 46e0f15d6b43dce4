#include "pacing/FramePacer.h"
#include "FakeFrameHost.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr std::int64_t ms = 1'000'000;

// A pacer on a fake front end, with a screen that always has something to show.
struct Paced {
    Paced() { pacer.start(); }

    // Paints up to `endNs` on the nominal timeline in steps of `stepNs`, each taking `workNs`
    // of the machine's own time.
    void paint(std::int64_t endNs, std::int64_t stepNs, std::int64_t workNs = 0) {
        for (; nominalNs < endNs; host.work(workNs))
            pacer.reached(nominalNs = std::min(nominalNs + stepNs, endNs));
    }
    // Runs `event` in the front end `ns` after the start.
    void at(std::int64_t ns, std::function<void()> event) {
        host.at(startNs + ns, std::move(event));
    }

    FakeFrameHost host;
    Screen screen{host};
    FramePacer pacer{screen, host};
    std::int64_t startNs = host.nowNs();
    std::int64_t nominalNs = 0;
};

// The longest time between two frames.
std::int64_t longestGap(const std::vector<std::int64_t>& frames) {
    std::int64_t longest = 0;
    for (std::size_t i = 1; i < frames.size(); ++i)
        longest = std::max(longest, frames[i] - frames[i - 1]);
    return longest;
}

} // namespace

TEST(FramePacer, AtSpeedOneAPictureEndsAtItsNominalTime) {
    Paced p;
    p.paint(300 * ms, ms / 20, ms / 100);
    p.pacer.finish();
    // Never ahead of the timeline by more than the slack it allows itself, nor behind it by more
    // than the sleep's rounding.
    EXPECT_GE(p.screen.elapsedNs(), 298 * ms);
    EXPECT_LE(p.screen.elapsedNs(), 301 * ms);
    EXPECT_EQ(p.screen.frames.back(), p.screen.elapsedNs()) << "the end was not shown";

    // The next picture, a while later, counts from its own start.
    p.host.work(5000 * ms);
    const std::int64_t nextNs = p.screen.elapsedNs();
    p.pacer.start();
    p.nominalNs = 0;
    p.paint(100 * ms, ms / 20, ms / 100);
    EXPECT_GE(p.screen.elapsedNs() - nextNs, 98 * ms);
    EXPECT_LE(p.screen.elapsedNs() - nextNs, 101 * ms);
}

TEST(FramePacer, FramesFallOnTheGridAtMostOnePerInterval) {
    Paced p;
    p.pacer.setFrameInterval(10 * ms);
    p.pacer.start();
    p.paint(200 * ms, ms / 20);
    // With no pause to show them earlier, each frame goes out as the next falls due.
    ASSERT_GE(p.screen.frames.size(), 18u);
    for (const std::int64_t frame : p.screen.frames)
        EXPECT_EQ(frame % (10 * ms), 0) << frame;
    EXPECT_EQ(p.screen.ShortestGap(), 10 * ms);

    // A machine slower than the timeline: a millisecond of work for 10 us of picture.
    Paced slow;
    slow.paint(ms, ms / 100, ms);
    EXPECT_GE(slow.screen.frames.size(), 5u);
    EXPECT_GE(slow.screen.ShortestGap(), 16 * ms);
    EXPECT_LE(longestGap(slow.screen.frames), 17 * ms);
}

// A flickering painter: a ball drawn, held for a pause, erased, drawn a little further on. The
// screen should show the ball in every frame, not whenever the frame happens to fall between
// an erase and the next ball.
TEST(FramePacer, APauseShowsTheHeldPicture) {
    struct Ball : FramePacer::Presenter {
        bool hasDirty() const override { return true; }
        void present() override { shown.push_back(on); }
        bool on = false;
        std::vector<bool> shown;
    } ball;
    FakeFrameHost host;
    FramePacer pacer(ball, host);
    pacer.start();
    const std::int64_t startNs = host.nowNs();
    const std::int64_t primitive = 200'000, pause = 100'000; // as the fire ball, in ns
    std::int64_t nominal = 0, firstFrameNs = 0;
    while (nominal < 400 * ms) {
        ball.on = true;
        pacer.reached(nominal += primitive);
        pacer.pausing(nominal);
        if (firstFrameNs == 0 && !ball.shown.empty())
            firstFrameNs = host.nowNs() - startNs;
        pacer.reached(nominal += pause);
        ball.on = false;
        pacer.reached(nominal += primitive);
    }
    EXPECT_GE(ball.shown.size(), 24u);
    EXPECT_EQ(std::count(ball.shown.begin(), ball.shown.end(), false), 0);
    // Shown at the first hold after it fell due, a sleep's few milliseconds past 16 ms, not an
    // interval later.
    EXPECT_GE(firstFrameNs, 16 * ms);
    EXPECT_LE(firstFrameNs, 19 * ms);
}

TEST(FramePacer, ASpeedChangeMidPictureTakesEffectWithoutAJump) {
    // Between two primitives: the first 100 ms at speed 1, the other 200 ms at speed 2.
    Paced p;
    p.paint(100 * ms, ms / 20);
    p.pacer.setSpeed(2);
    p.paint(300 * ms, ms / 20);
    EXPECT_GE(p.screen.elapsedNs(), 198 * ms);
    EXPECT_LE(p.screen.elapsedNs(), 201 * ms);

    // From a key pressed while the pacer sleeps: 50 ms at speed 1, the other 150 ms at speed 4.
    Paced key;
    key.at(50 * ms, [&key] { key.pacer.setSpeed(4); });
    key.paint(200 * ms, ms / 20);
    EXPECT_GE(key.screen.elapsedNs(), 86 * ms);
    EXPECT_LE(key.screen.elapsedNs(), 89 * ms);
    EXPECT_EQ(key.pacer.speed(), 4);

    // A change ends the sleep under way, which was for the old pace.
    Paced unpaced;
    unpaced.at(50 * ms, [&unpaced] { unpaced.pacer.setSpeed(0); });
    unpaced.pacer.reached(10'000 * ms);
    EXPECT_EQ(unpaced.screen.elapsedNs(), 50 * ms);
}

TEST(FramePacer, StopThrowsAtTheNextPrimitiveOrWaitAlsoFromInsideASleep) {
    Paced between;
    between.paint(20 * ms, ms / 20);
    between.pacer.stop();
    const std::size_t shown = between.screen.frames.size();
    EXPECT_THROW(between.pacer.reached(between.nominalNs + 1), PaintingStopped);
    between.pacer.finish();
    EXPECT_EQ(between.screen.frames.size(), shown) << "a stopped picture was shown";

    // A close while the pacer sleeps ends the sleep at once.
    Paced asleep;
    asleep.at(50 * ms, [&asleep] { asleep.pacer.stop(); });
    EXPECT_THROW(asleep.pacer.reached(10'000 * ms), PaintingStopped);
    EXPECT_EQ(asleep.screen.elapsedNs(), 50 * ms);
    EXPECT_THROW(asleep.pacer.reached(0), PaintingStopped);

    // At speed 0, a close comes in when the front end runs between frames.
    Paced unpaced;
    unpaced.pacer.setSpeed(0);
    unpaced.at(ms, [&unpaced] { unpaced.pacer.stop(); });
    EXPECT_THROW(unpaced.paint(10'000 * ms, 10 * ms, ms), PaintingStopped);
    EXPECT_EQ(unpaced.screen.elapsedNs(), 32 * ms);
}

TEST(FramePacer, AtSpeedZeroItNeverSleepsButShowsFramesAndLetsTheFrontEndRun) {
    Paced p;
    p.pacer.setSpeed(0);
    std::int64_t keyHandledNs = -1;
    p.at(20 * ms, [&] { keyHandledNs = p.screen.elapsedNs(); });
    p.paint(100'000 * ms, 1000 * ms, ms);
    EXPECT_EQ(p.host.sleeps, 0);
    ASSERT_GE(p.screen.frames.size(), 5u);
    EXPECT_GE(p.screen.ShortestGap(), 16 * ms);
    // The front end runs once a frame is out, and only then.
    EXPECT_EQ(p.host.pendingRuns, static_cast<int>(p.screen.frames.size()));
    EXPECT_EQ(keyHandledNs, p.screen.frames.front());
}
