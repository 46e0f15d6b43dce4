#include "game/GameRunner.h"

#include "FakeClock.h"
#include "FakeControls.h"
#include "FakeFrontEnd.h"
#include "FakeSpeaker.h"
#include "game/Layout.h"
#include "sound/LiveMix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// What a player hears goes to the speaker; a picture painted at once, a repaint or a link's
// steps played with finish() reach it not at all.

namespace {

constexpr std::int64_t FrameNs = 16'666'667;
using Kind = Mixer::Event::Kind;

struct Heard {
    Heard() { runner.setSpeaker(&speaker); }

    // The story's first step, then the lair begins.
    void toTheLair() {
        runner.play(Action::Advance);
        frames();
        runner.play(Action::Advance);
    }
    // Display frames until the picture under way ends, or at most `most`.
    void frames(int most = 100'000) {
        while (runner.busy() && most-- > 0)
            runner.advance(nowNs += FrameNs);
    }

    FakeFrontEnd frontEnd;
    FakeControls controls;
    FakeClock clock;
    GameRunner runner{frontEnd, controls, clock, 7, DesignSize, 1.0};
    FakeSpeaker speaker;
    std::int64_t nowNs = 0;
};

} // namespace

TEST(RunnerSound, APictureSteppedLiveIsHeardAtItsPace) {
    Heard game;
    EXPECT_EQ(game.speaker.paces, std::vector<double>{1.0});
    game.toTheLair();
    game.frames();
    EXPECT_EQ(game.speaker.count(Kind::Start, Cue::Rumble), 1);
    EXPECT_EQ(game.speaker.count(Kind::Stop, Cue::Rumble), 1);
    EXPECT_EQ(game.speaker.count(Kind::Start, Cue::Chink), 1);
    game.runner.setSpeed(2);
    EXPECT_EQ(game.speaker.paces.back(), 2.0);
}

TEST(RunnerSound, InstantFinishAndRepaintsAreSilent) {
    Heard instant;
    instant.runner.setSpeed(0);
    instant.toTheLair();
    instant.frames();
    EXPECT_TRUE(instant.speaker.log.marks().empty());

    // A link's steps, played before anyone listens.
    Heard link;
    link.runner.play(Action::Advance);
    link.runner.play(Action::Advance);
    link.runner.finish();
    link.runner.repaintScene(2.0);
    // The lair's first primitive plays as its input comes, before finish() is called: whatever
    // started then is stopped with it (a page sets its speaker after a link's steps).
    EXPECT_EQ(link.speaker.count(Kind::Start, Cue::Rumble),
              link.speaker.count(Kind::Stop, Cue::Rumble));
    EXPECT_EQ(link.speaker.count(Kind::Start, Cue::Chink), 0);
    EXPECT_EQ(link.speaker.count(Kind::Play, Cue::Pop), 0);
}

// A continuous cue never hangs on: going instant or ending the game stops it where it stands.
TEST(RunnerSound, ContinuousCuesStopWhenTheSoundMustEnd) {
    for (const bool instant : {true, false}) {
        Heard game;
        game.toTheLair();
        game.frames(10); // the body grows for about a second
        ASSERT_EQ(game.speaker.count(Kind::Start, Cue::Rumble), 1);
        ASSERT_EQ(game.speaker.count(Kind::Stop, Cue::Rumble), 0);
        if (instant)
            game.runner.setSpeed(0);
        else
            game.runner.stop();
        EXPECT_EQ(game.speaker.count(Kind::Stop, Cue::Rumble), 1);
        const std::size_t marks = game.speaker.log.marks().size();
        game.frames();
        EXPECT_EQ(game.speaker.log.marks().size(), marks) << "instant " << instant;
    }
}

TEST(LiveMix, MarksSoundAtOnceAndMutingFadesToSilence) {
    LiveMix mix;
    std::vector<std::int16_t> block(4800);
    mix.play(Cue::Pop, 123'000'000); // the nominal time does not delay it
    mix.render(block);
    EXPECT_GT(*std::ranges::max_element(block), 1000);

    mix.start(Cue::Rumble, 0);
    mix.setMuted(true);
    mix.render(block);
    // Faded within 10 ms, not cut.
    const auto loudest = [&block](int from, int to) {
        int most = 0;
        for (int i = from; i < to; ++i)
            most = std::max(most, std::abs(int{block[static_cast<std::size_t>(i)]}));
        return most;
    };
    EXPECT_GT(loudest(0, 100), 0);
    EXPECT_LT(loudest(380, 480), loudest(0, 100));
    EXPECT_TRUE(
        std::all_of(block.begin() + 480, block.end(), [](std::int16_t s) { return s == 0; }));
    mix.play(Cue::Boom, 0);
    mix.render(block);
    EXPECT_TRUE(std::ranges::all_of(block, [](std::int16_t s) { return s == 0; }));
    EXPECT_TRUE(mix.quiet());

    mix.setMuted(false);
    mix.play(Cue::Boom, 0);
    mix.render(block);
    EXPECT_GT(*std::ranges::max_element(block), 1000);
}
