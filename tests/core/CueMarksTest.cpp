#include "CueLog.h"
#include "FakeControls.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "game/Session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Kind = Mixer::Event::Kind;

struct Expected {
    Kind kind;
    Cue cue;
    double seconds;
};

// A default game whose sounds are kept, picture by picture.
struct Game {
    Game() : picture(15360, 10800, 60), session(picture, controls, TestSeed, cues) {}

    std::vector<CueLog::Mark> play(Action action, int times = 1) {
        cues.clear();
        for (int i = 0; i < times; ++i)
            session.perform(action).finish();
        return cues.marks();
    }

    PixelGrid picture;
    FakeControls controls;
    CueLog cues;
    Session session;
};

void expectMarks(const std::string& picture, const std::vector<CueLog::Mark>& marks,
                 const std::vector<Expected>& expected) {
    ASSERT_EQ(marks.size(), expected.size()) << picture;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].kind, expected[i].kind) << picture << " mark " << i;
        EXPECT_EQ(marks[i].cue, expected[i].cue) << picture << " mark " << i;
        EXPECT_NEAR(static_cast<double>(marks[i].nominalNs) * 1e-9, expected[i].seconds, 0.010)
            << picture << " mark " << i;
    }
}

} // namespace

// Each sound starts and ends with the phase of the picture it belongs to, at speed 1.
TEST(CueMarks, TheDefaultPicturesMarkTheirPhases) {
    Game game;
    game.play(Action::Advance);
    expectMarks("lair", game.play(Action::Advance),
                {{Kind::Start, Cue::Rumble, 0},
                 {Kind::Stop, Cue::Rumble, 1.10},
                 {Kind::Start, Cue::Chink, 1.78},
                 {Kind::Stop, Cue::Chink, 1.98}});
    game.play(Action::Advance, 3);
    expectMarks("goblin", game.play(Action::Advance), {{Kind::Play, Cue::Pop, 0}});
    game.play(Action::Advance);

    expectMarks("fire ball", game.play(Action::FireBall),
                {{Kind::Start, Cue::Growl, 0},
                 {Kind::Stop, Cue::Growl, 1.22},
                 {Kind::Start, Cue::Whoosh, 1.22},
                 {Kind::Stop, Cue::Whoosh, 5.16},
                 {Kind::Play, Cue::Boom, 5.16}});
    // The body is there at once: only the hoard is heard, then the goblin, who ends the 0.90 s.
    const std::vector<Expected> again = {{Kind::Start, Cue::Chink, 0.68},
                                         {Kind::Stop, Cue::Chink, 0.88},
                                         {Kind::Play, Cue::Pop, 0.88}};
    expectMarks("try another choice", game.play(Action::TryAnotherChoice), again);

    expectMarks("flame breath", game.play(Action::FlameBreath),
                {{Kind::Start, Cue::Growl, 0},
                 {Kind::Stop, Cue::Growl, 1.22},
                 {Kind::Start, Cue::Roar, 1.22},
                 {Kind::Stop, Cue::Roar, 3.46}});
    expectMarks("try another choice", game.play(Action::TryAnotherChoice), again);

    expectMarks("eat him", game.play(Action::EatHim),
                {{Kind::Start, Cue::Growl, 0},
                 {Kind::Stop, Cue::Growl, 1.21},
                 {Kind::Start, Cue::Slurp, 1.21},
                 {Kind::Stop, Cue::Slurp, 1.58},
                 {Kind::Start, Cue::ReelIn, 1.58},
                 {Kind::Stop, Cue::ReelIn, 2.08},
                 {Kind::Play, Cue::Gulp, 2.09},
                 {Kind::Play, Cue::Chew, 2.93},
                 {Kind::Play, Cue::Chew, 3.62}});
}

// Marks are not drawn and cost no time: a game that keeps its sounds paints the same pixels at
// the same pace as a silent one.
TEST(CueMarks, LeaveThePicturesAndTheirPaceAlone) {
    Game heard;
    PixelGrid picture(15360, 10800, 60);
    FakeControls controls;
    Session silent(picture, controls, TestSeed);
    for (const Action action : {Action::Advance, Action::Advance, Action::Advance, Action::Advance,
                                Action::Advance, Action::Advance, Action::Advance, Action::EatHim,
                                Action::TryAnotherChoice, Action::FireBall}) {
        heard.play(action);
        silent.perform(action).finish();
        EXPECT_EQ(heard.session.timeline().nominalNs(), silent.timeline().nominalNs());
        EXPECT_TRUE(heard.picture == picture);
    }
}

// A picture's marks land on the sample clock where it starts, at its speed.
TEST(CueMarks, BecomeMixerEventsAtThePicturesSpeed) {
    StageFixture f;
    f.stage.startCue(Cue::Roar);
    f.timeline.chargePause(50000); // one nominal second
    f.stage.stopCue(Cue::Roar);
    const std::vector<Mixer::Event> events = f.cues.events(1000, 2.0);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Kind::Rate);
    EXPECT_EQ(events[0].rate, 2.0);
    EXPECT_EQ(events[1].atSample, 1000);
    EXPECT_EQ(events[2].kind, Kind::Stop);
    EXPECT_EQ(events[2].atSample, 1000 + 24000);
}
