#include "HoldWatch.h"
#include "StageFixture.h"
#include "attacks/Chewing.h"
#include "attacks/Devour.h"
#include "attacks/FireBall.h"
#include "attacks/FlameBreath.h"
#include "attacks/Sweep.h"
#include "scene/Beast.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

double seconds(std::int64_t ns) {
    return static_cast<double>(ns) * 1e-9;
}

// Checks a phase against its range and keeps its length in the test results (--gtest_output).
void expectSeconds(const std::string& phase, double length, double low, double high = 1e9) {
    ::testing::Test::RecordProperty(phase, std::to_string(length));
    EXPECT_GE(length, low) << phase;
    EXPECT_LE(length, high) << phase;
}

// How long a painting lasts on the reference machine. The pacing is deterministic, so this is
// exact to the nanosecond: a primitive more or less, or one drawn a fraction of a pixel longer,
// changes it.
std::int64_t nominalNs(const std::function<void(Stage&)>& paint) {
    StageFixture f;
    paint(f.stage);
    return f.timeline.nominalNs();
}

} // namespace

TEST(AttackTempo, EachAttackLastsItsNominalTime) {
    const std::int64_t mouth =
        nominalNs([](Stage& s) { sweepErase(s, MouthX, MouthY, 0.0, 1.0).finish(); });
    const std::int64_t body =
        nominalNs([](Stage& s) { sweepErase(s, BodyX, BodyY, 1.0, 0.5).finish(); });
    const std::int64_t fireBall = nominalNs([](Stage& s) { shootFireBall(s, 5.0).finish(); });
    const std::int64_t flames = nominalNs([](Stage& s) { breatheFlame(s, 4300, 4200).finish(); });
    const std::int64_t devour =
        nominalNs([](Stage& s) { devourGoblin(s, MouthX, MouthY).finish(); });
    const std::int64_t chewing = nominalNs([](Stage& s) { chewGoblin(s).finish(); });
    EXPECT_EQ(mouth, 1221920220);
    EXPECT_EQ(body, 1214193526);
    EXPECT_EQ(fireBall, 5162344823);
    EXPECT_EQ(flames, 3461119377);
    EXPECT_EQ(devour, 2078682158);
    EXPECT_EQ(chewing, 1805704906);

    // What the pictures were paced for.
    expectSeconds("sweep_mouth", seconds(mouth), 1.0, 1.5);
    expectSeconds("sweep_body", seconds(body), 1.0, 1.5);
    expectSeconds("fire_ball", seconds(fireBall), 4.0, 7.0);
    expectSeconds("flame_breath", seconds(flames), 3.0, 4.5);
    expectSeconds("devour_and_chewing", seconds(devour + chewing), 3.0, 5.0);
}

// The tongue shoots out between the mouth opening and the goblin's first hold; the reel-in
// lasts from that hold to the end.
TEST(AttackTempo, TheTongueIsSeenGrowingAndTheReelInTakesUnderASecond) {
    StageFixture f;
    HoldWatch watch(f.timeline);
    devourGoblin(f.stage, MouthX, MouthY).finish();
    const auto& holds = watch.holds();
    ASSERT_EQ(watch.runs().size(), 2u);
    const std::size_t firstReel = static_cast<std::size_t>(watch.runs()[0].second);
    expectSeconds("tongue", seconds(holds[firstReel].startNs - holds[firstReel - 1].endNs), 0.25);
    expectSeconds("reel_in", seconds(f.timeline.nominalNs() - holds[firstReel].startNs), 0.4, 1.0);
}

// Each chew opens in a run of holds; the jaw shuts again in the long stretch without one that
// follows, and faster than it opened.
TEST(AttackTempo, TheJawShutsFasterThanItOpens) {
    StageFixture f;
    HoldWatch watch(f.timeline);
    chewGoblin(f.stage).finish();
    const auto& holds = watch.holds();
    ASSERT_GT(holds.size(), 2u);
    std::size_t lastOfFirst = 0;
    for (std::size_t i = 0; i + 1 < holds.size(); ++i)
        if (holds[i + 1].startNs - holds[i].endNs >
            holds[lastOfFirst + 1].startNs - holds[lastOfFirst].endNs)
            lastOfFirst = i;
    const double opening1 = seconds(holds[lastOfFirst].endNs - holds.front().startNs);
    const double closing1 = seconds(holds[lastOfFirst + 1].startNs - holds[lastOfFirst].endNs);
    const double opening2 = seconds(holds.back().endNs - holds[lastOfFirst + 1].startNs);
    const double closing2 = seconds(f.timeline.nominalNs() - holds.back().endNs);
    expectSeconds("opening_1", opening1, 0.3);
    expectSeconds("closing_1", closing1, 0, opening1);
    expectSeconds("opening_2", opening2, 0.3);
    expectSeconds("closing_2", closing2, 0, opening2);
}
