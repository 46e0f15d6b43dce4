#include "StageFixture.h"
#include "attacks/Chewing.h"
#include "attacks/Devour.h"
#include "attacks/FireBall.h"
#include "attacks/FlameBreath.h"
#include "attacks/Sweep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Nominal time at the end of each primitive (pauses after it included), so that phases inside
// one animation can be timed by the primitives they span.
struct PhaseClock : Timeline::Sync {
    explicit PhaseClock(StageFixture& f) : f(f) { f.timeline.setSync(this); }
    ~PhaseClock() override { f.timeline.setSync(nullptr); }
    void reached(std::int64_t ns) override {
        endOf.resize(f.surface.primitives().size() + 1, endOf.back());
        endOf.back() = ns;
    }
    double Seconds(std::size_t from, std::size_t to) const {
        return static_cast<double>(endOf.at(to) - endOf.at(from)) * 1e-9;
    }
    StageFixture& f;
    std::vector<std::int64_t> endOf{0};
};

// Checks a phase and keeps its duration in the test results (--gtest_output).
void ExpectSeconds(const std::string& phase, double seconds, double low, double high = 1e9) {
    ::testing::Test::RecordProperty(phase, std::to_string(seconds));
    EXPECT_GE(seconds, low) << phase;
    EXPECT_LE(seconds, high) << phase;
}

} // namespace

TEST(AttackTempo, SweepsFireBallAndFlameBreath) {
    StageFixture f;
    sweepErase(f.stage, 4000, 4000, 0.0, 1.0);
    ExpectSeconds("sweep_mouth", f.nominalSeconds(), 1.0, 1.5);
    f.timeline.restart();
    sweepErase(f.stage, 4000, 3500, 1.0, 0.5);
    ExpectSeconds("sweep_devour", f.nominalSeconds(), 1.0, 1.5);

    f.timeline.restart();
    shootFireBall(f.stage, 5.0);
    ExpectSeconds("fire_ball", f.nominalSeconds(), 4.0, 7.0);
    f.timeline.restart();
    breatheFlame(f.stage, 4300, 4200);
    ExpectSeconds("flame_breath", f.nominalSeconds(), 3.0, 4.5);
}

TEST(AttackTempo, DevourAndChewing) {
    StageFixture f;
    double devour = 0;
    {
        PhaseClock clock(f);
        devourGoblin(f.stage, 4000, 4000);
        const std::size_t sweep = 4999, tongue = sweep + 9100, reel = tongue + 430 * 18;
        ExpectSeconds("tongue", clock.Seconds(sweep, tongue), 0.25);
        ExpectSeconds("reel_in", clock.Seconds(tongue, reel), 0.4, 1.0);
        devour = f.nominalSeconds();
    }
    f.timeline.restart();
    f.surface.forget();
    PhaseClock clock(f);
    chewGoblin(f.stage);
    // Each opening is followed by two scraps and then its closing.
    const std::size_t open1 = 500 + 12250 + 1, shut1 = open1 + 500 + 2, open2 = shut1 + 4250,
                      shut2 = open2 + 800 + 2;
    const double opening1 = clock.Seconds(open1, open1 + 500);
    const double opening2 = clock.Seconds(open2, open2 + 800);
    ExpectSeconds("opening_1", opening1, 0.3);
    ExpectSeconds("closing_1", clock.Seconds(shut1, shut1 + 4250), 0, opening1);
    ExpectSeconds("opening_2", opening2, 0.3);
    ExpectSeconds("closing_2", clock.Seconds(shut2, shut2 + 6250), 0, opening2);
    ExpectSeconds("devour_and_chewing", devour + f.nominalSeconds(), 3.0, 5.0);
}
