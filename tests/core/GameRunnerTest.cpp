#include "game/GameRunner.h"

#include "FakeClock.h"
#include "FakeControls.h"
#include "FakeFrontEnd.h"
#include "canvas/Palette.h"
#include "game/Layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

constexpr std::int64_t ms = 1'000'000;

// A runner on fake controls, a fake clock and a fake front end, at the design size.
struct Runner {
    explicit Runner(double scale = 1.0) : runner(frontEnd, controls, clock, 7, DesignSize, scale) {}

    // Plays the story on at once to the point where the choice is offered.
    void toTheChoice() {
        for (int step = 0; step < 7; ++step)
            runner.play(Action::Advance);
        runner.finish();
    }
    // Display frames every `stepNs` until the picture ends or `until` says so; how many it took.
    int frames(
        std::int64_t stepNs, const std::function<bool()>& until = [] { return false; }) {
        int count = 0;
        while (runner.busy() && !until()) {
            frameNs += stepNs;
            runner.advance(frameNs);
            ++count;
        }
        return count;
    }
    int count(Color colour) const {
        return countIf([colour](Pixel p) { return p == toPixel(colour); });
    }
    int countIf(const std::function<bool(Pixel)>& wanted) const {
        const PixelBuffer& pixels = runner.canvas().pixels();
        const PixelSize device = runner.canvas().deviceSize();
        int found = 0;
        for (int y = 0; y < device.height; ++y)
            for (int x = 0; x < device.width; ++x)
                found += wanted(pixels.row(y)[x]);
        return found;
    }
    Pixel at(int x, int y) const { return runner.canvas().pixels().row(y)[x]; }

    FakeFrontEnd frontEnd;
    FakeControls controls;
    FakeClock clock;
    GameRunner runner;
    std::int64_t frameNs = 0;
};

// A fire ball's pixels: full red, some green, no blue. The body's red has no green, the gold
// never full red.
bool fireBallPixel(Pixel pixel) {
    return (pixel >> 16 & 0xff) == 255 && (pixel >> 8 & 0xff) > 0 && (pixel & 0xff) == 0;
}

// Throws once the story has set this many captions.
class FailingControls : public FakeControls {
  public:
    void setCaption(const std::string& text) override {
        if (--captionsLeft < 0)
            throw std::runtime_error("caption refused");
        FakeControls::setCaption(text);
    }
    int captionsLeft = 0;
};

} // namespace

TEST(GameRunner, AFrameShowsThePictureAtAHoldWhenOneBeginsInIt) {
    Runner r;
    r.toTheChoice();
    r.runner.play(Action::FireBall);
    // The mouth opens first, for well over a second; then a ball flies and is erased after
    // each of its holds, many to a frame.
    r.frames(50 * ms, [&r] { return r.runner.timeline().nominalNs() > 1500 * ms; });
    for (int frame = 0; frame < 10; ++frame) {
        r.frames(50 * ms, [&, start = r.frameNs] { return r.frameNs > start; });
        EXPECT_GT(r.countIf(fireBallPixel), 0) << "frame " << frame << " missed the ball's hold";
    }
}

TEST(GameRunner, EachFrameCatchesUpWithItsTimeAndASpeedChangeTakesEffectWithoutAJump) {
    Runner r;
    r.runner.play(Action::Advance);
    r.runner.play(Action::Advance); // the lair: seconds of primitives, no holds
    r.frames(16 * ms, [&r] { return r.frameNs >= 16 * ms * 20; });
    const std::int64_t atOne = r.runner.timeline().nominalNs();
    EXPECT_NEAR(static_cast<double>(atOne), 16.0 * ms * 19, 0.3 * ms) << "a frame behind at most";

    r.runner.setSpeed(2);
    r.frames(16 * ms, [&r] { return r.frameNs >= 16 * ms * 21; });
    EXPECT_NEAR(static_cast<double>(r.runner.timeline().nominalNs() - atOne), 32.0 * ms, 0.3 * ms);
    r.runner.setSpeed(0.5);
    const std::int64_t atTwo = r.runner.timeline().nominalNs();
    r.frames(16 * ms, [&r] { return r.frameNs >= 16 * ms * 22; });
    EXPECT_NEAR(static_cast<double>(r.runner.timeline().nominalNs() - atTwo), 8.0 * ms, 0.3 * ms);
}

TEST(GameRunner, AtTheInstantSpeedEachFrameStopsWithinItsShareOfWork) {
    Runner r;
    r.runner.setSpeed(0);
    r.clock.perReadNs = ms / 4;
    r.runner.play(Action::Advance);
    r.runner.play(Action::Advance);
    std::int64_t longest = 0;
    const int frames = r.frames(16 * ms, [&] {
        const std::int64_t before = r.clock.nowNs();
        r.runner.advance(r.frameNs += 16 * ms);
        longest = std::max(longest, r.clock.nowNs() - before);
        return false;
    });
    EXPECT_LE(longest, FramePacer::MostWorkNs + ms);
    EXPECT_GT(frames, 2) << "the lair took a single frame";
    EXPECT_EQ(r.runner.story().scene(), Scene::Lair);
}

TEST(GameRunner, InputMadeWhileAPictureRunsIsHandedBackInOrderAndJudgedInItsTurn) {
    Runner r;
    r.runner.play(Action::Advance);
    r.runner.finish();
    r.runner.play(Action::Advance); // the lair paints
    r.frames(16 * ms, [&r] { return r.frameNs > 0; });
    ASSERT_TRUE(r.runner.painting());
    std::vector<int> stepAtReplay;
    r.frontEnd.onReplay = [&r, &stepAtReplay](std::uint32_t) {
        stepAtReplay.push_back(r.runner.story().storyStep());
    };
    r.runner.play(Action::FireBall); // not on offer once the lair is done either: dropped
    r.runner.hold(7);
    r.runner.play(Action::Advance);
    r.runner.hold(9);
    EXPECT_EQ(r.runner.heldCount(), 4u);
    EXPECT_TRUE(r.frontEnd.replayed.empty()) << "held input ran mid-picture";
    r.frames(16 * ms);
    EXPECT_EQ(r.frontEnd.replayed, (std::vector<std::uint32_t>{7, 9}));
    EXPECT_EQ(stepAtReplay, (std::vector<int>{2, 3}));
    EXPECT_EQ(r.runner.story().storyStep(), 3);

    // A story action that an item replays plays at once, ahead of what is held after it.
    r.runner.play(Action::Advance);
    r.runner.play(Action::Advance); // held behind the one before, which has not run yet
    r.runner.hold(1);
    r.runner.hold(2);
    r.frontEnd.onReplay = [&r](std::uint32_t item) {
        if (item == 1)
            r.runner.play(Action::Advance);
    };
    r.frames(16 * ms);
    EXPECT_EQ(r.runner.story().storyStep(), 6);
    EXPECT_EQ(r.frontEnd.replayed, (std::vector<std::uint32_t>{7, 9, 1, 2}));
}

TEST(GameRunner, AResizeMidPictureMovesTheGoblinFromTheNextPrimitiveOn) {
    Runner r;
    for (int step = 0; step < 5; ++step)
        r.runner.play(Action::Advance);
    r.runner.finish();
    r.runner.play(Action::Advance); // the goblin: nine pieces, then the wedge line by line
    r.frames(ms / 10, [&r] { return r.count(Palette::WedgeGrey) > 0; });
    ASSERT_TRUE(r.runner.painting());
    const int before = r.count(Palette::WedgeGrey);
    r.runner.canvas().resize({1200, 800}, 1.0);
    r.runner.finish();
    // The wedge's last lines meet at its apex 3100 x 2500 twips in from the new corner; what was
    // drawn before stays where it was.
    EXPECT_EQ(r.at((18000 - 2850) / 15, (12000 - 2000) / 15), toPixel(Palette::WedgeGrey));
    EXPECT_EQ(r.at((15360 - 2990) / 15, (10800 - 2000) / 15), toPixel(Palette::WedgeGrey));
    EXPECT_GT(before, 0);
}

TEST(GameRunner, AViewChangeMidPictureRepaintsTheSceneOnceThePictureEnds) {
    Runner r;
    r.runner.play(Action::Advance);
    r.runner.play(Action::Advance);
    r.frames(16 * ms, [&r] { return r.frameNs >= 16 * ms * 5; });
    r.runner.canvas().resize({512, 360}, 1.0);
    r.runner.repaintScene(2.0);
    EXPECT_EQ(r.runner.canvas().scale(), 1.0) << "repainted mid-picture";
    r.frames(16 * ms);
    EXPECT_EQ(r.runner.canvas().scale(), 2.0);

    // As a game played at that size and scale from the start shows it.
    FakeFrontEnd frontEnd;
    FakeControls controls;
    FakeClock clock;
    GameRunner there(frontEnd, controls, clock, 7, {512, 360}, 2.0);
    there.play(Action::Advance);
    there.play(Action::Advance);
    there.finish();
    const PixelSize device = there.canvas().deviceSize();
    ASSERT_EQ(r.runner.canvas().deviceSize(), device);
    int differ = 0;
    for (int y = 0; y < device.height; ++y)
        for (int x = 0; x < device.width; ++x)
            differ += r.at(x, y) != there.canvas().pixels().row(y)[x];
    EXPECT_EQ(differ, 0);
}

TEST(GameRunner, AFailureMidPictureHaltsTheGameAndIsReportedOnce) {
    FakeFrontEnd frontEnd;
    FailingControls controls;
    controls.captionsLeft = 2; // the title and the lair's; the beast's body sets the third
    FakeClock clock;
    GameRunner runner(frontEnd, controls, clock, 7, DesignSize, 1.0);
    runner.play(Action::Advance);
    runner.play(Action::Advance);
    runner.play(Action::Advance);
    runner.advance(16 * ms);
    runner.advance(32 * ms);
    ASSERT_EQ(frontEnd.failures.size(), 1u);
    EXPECT_EQ(frontEnd.failures[0].step, "click");
    EXPECT_EQ(frontEnd.failures[0].reason, "caption refused");
    EXPECT_TRUE(runner.halted());
    EXPECT_FALSE(runner.busy()) << "the held Advance outlived the failure";
    runner.play(Action::Advance);
    runner.advance(48 * ms);
    EXPECT_FALSE(runner.busy());
    EXPECT_EQ(frontEnd.failures.size(), 1u);
}

TEST(GameRunner, StoppingMidPictureEndsItWhereItStands) {
    Runner r;
    r.runner.play(Action::Advance);
    r.runner.play(Action::Advance);
    r.runner.hold(3);
    r.frames(16 * ms, [&r] { return r.frameNs > 0; });
    r.runner.stop();
    EXPECT_FALSE(r.runner.busy());
    EXPECT_TRUE(r.frontEnd.replayed.empty());
    EXPECT_TRUE(r.frontEnd.failures.empty());
    EXPECT_TRUE(r.runner.advance(r.frameNs + 16 * ms).isEmpty());
}
