#include "FakeControls.h"
#include "PixelGrid.h"
#include "StageFixture.h"
#include "canvas/Palette.h"
#include "game/Session.h"
#include "scene/Beast.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace Palette;

// The story's words, screen by screen; the title's gaps are runs of spaces.
const std::vector<std::string>& screens() {
    static const std::vector<std::string> words = {
        Story::Title,
        " ",
        "So you're a brumox, just chillin' in your dungeon, guarding your stash of gold.",
        "Yeah, yeah, you look more like a Sesame Street character than a brumox...But rest "
        "assured, you still can kick major bootie.",
        "Anyway, like I said, you were chillin' in your dungeon, minding your own business...",
        "When SUDDENLY a POORLY DRAWN GOBLIN pops out of nowhere, tyring to steal your stash!",
        "Well? Whatcha gonna do?"};
    return words;
}

// Each attack, what the story then says is on screen, and its words.
struct Attack {
    Action action;
    Scene aftermath;
    std::string message;
};
const Attack Attacks[] = {{Action::FireBall, Scene::Blasted, "Buh-Bye."},
                          {Action::FlameBreath, Scene::Burnt, "Ooh that burns..."},
                          {Action::EatHim, Scene::Eaten, "Yummy..."}};

constexpr float W = 15360, H = 10800;
// Points of the lair: the eye, the body low on its right where the fire ball opens the mouth,
// and the top of the goblin's head.
constexpr float EyeballX = EyeX - 200, EyeballY = EyeY;
constexpr float MouthSideX = 6000, MouthSideY = 4800;
constexpr float HeadX = W - 2000, HeadY = H - 2400;

struct StoryFixture : ::testing::Test, Timeline::Sync {
    StoryFixture() { session.timeline().setSync(this); }

    void clicks(int count) {
        for (int i = 0; i < count; ++i)
            session.perform(Action::Advance).finish();
    }
    bool choiceShown() const {
        return controls.visible(Action::EatHim) && controls.visible(Action::FireBall) &&
               controls.visible(Action::FlameBreath);
    }
    bool anyButtonShown() const {
        for (const ActionName& entry : ActionNames)
            if (controls.visible(entry.action))
                return true;
        return false;
    }

    // Whether, at every primitive and pause, the label and the buttons were as `expected` says.
    void reached(std::int64_t) override { watchedOk = watchedOk && (!expected || expected()); }
    void pausing(std::int64_t) override { reached(0); }
    std::function<bool()> expected;
    bool watchedOk = true;

    PixelGrid picture{W, H, 30};
    FakeControls controls;
    Session session{picture, controls, TestSeed};
    const Story& story = session.story();
};

} // namespace

TEST_F(StoryFixture, EveryScreenShowsItsWordsAndOnlyTheLastOffersTheChoice) {
    EXPECT_EQ(story.storyStep(), 0);
    int step = 0;
    for (const std::string& words : screens()) {
        session.perform(Action::Advance).finish();
        EXPECT_EQ(story.storyStep(), ++step);
        EXPECT_EQ(controls.caption, words) << "screen " << step;
        EXPECT_EQ(choiceShown(), step == std::ssize(screens())) << "screen " << step;
    }
    EXPECT_FALSE(controls.visible(Action::TryAnotherChoice));
    EXPECT_FALSE(controls.visible(Action::StartOver));
}

TEST_F(StoryFixture, TitleNamesTheGameAndTheDisplay) {
    EXPECT_EQ(Story::Title.rfind("BRUMOX SIMULATOR", 0), 0u);
    EXPECT_NE(Story::Title.find("1024 x 768"), std::string::npos);
}

TEST_F(StoryFixture, OnlyTheLairAndTheGoblinScreensPaint) {
    clicks(1);
    EXPECT_TRUE(picture == PixelGrid(W, H, 30));
    clicks(1);
    const PixelGrid lair = picture;
    EXPECT_EQ(lair.at(EyeballX, EyeballY), White);
    EXPECT_EQ(lair.at(MouthSideX, MouthSideY), Red);
    EXPECT_EQ(lair.at(100, H - 100), FloorBrown);
    clicks(3);
    EXPECT_TRUE(picture == lair);
    clicks(1);
    EXPECT_FALSE(picture == lair);
    EXPECT_EQ(picture.at(HeadX, HeadY), GoblinGreen);
    const PixelGrid goblin = picture;
    clicks(5);
    EXPECT_TRUE(picture == goblin);
}

TEST_F(StoryFixture, ClicksPastTheChoiceSaturateInsteadOfOverflowing) {
    clicks(7);
    const PixelGrid before = picture;
    clicks(std::numeric_limits<std::int16_t>::max() + 10);
    EXPECT_EQ(story.storyStep(), std::numeric_limits<std::int16_t>::max());
    EXPECT_TRUE(picture == before);
    EXPECT_EQ(controls.caption, screens().back());
    EXPECT_TRUE(choiceShown());
}

TEST_F(StoryFixture, AnAttackPlaysOverTheLairWithNothingOfferedThenShowsItsWords) {
    clicks(7);
    for (const Attack& attack : Attacks) {
        watchedOk = true;
        expected = [this] { return !controls.labelVisible && !anyButtonShown(); };
        session.perform(attack.action).finish();
        expected = nullptr;
        EXPECT_TRUE(watchedOk) << "the label or a button showed while the attack played";
        EXPECT_TRUE(controls.labelVisible);
        EXPECT_EQ(controls.caption, attack.message);
        EXPECT_FALSE(controls.visible(Action::EatHim) || controls.visible(Action::FireBall) ||
                     controls.visible(Action::FlameBreath));
        EXPECT_TRUE(controls.visible(Action::TryAnotherChoice));
        EXPECT_TRUE(controls.visible(Action::StartOver));
        EXPECT_EQ(story.storyStep(), 7);
        EXPECT_EQ(picture.at(EyeballX, EyeballY), White) << "the lair was cleared";
        session.perform(Action::TryAnotherChoice).finish();
    }
}

TEST_F(StoryFixture, TryAnotherChoiceRepaintsTheLairBehindABlankLabelAndOffersTheChoice) {
    clicks(7);
    session.perform(Action::FireBall).finish();
    ASSERT_EQ(picture.at(MouthSideX, MouthSideY), Background);
    ASSERT_NE(picture.at(HeadX, HeadY), GoblinGreen);
    session.perform(Action::Advance).finish(); // counts on past the question
    expected = [this] { return controls.caption == " " && !anyButtonShown(); };
    session.perform(Action::TryAnotherChoice).finish();
    EXPECT_TRUE(watchedOk) << "words or buttons showed while the lair was repainted";
    EXPECT_EQ(story.storyStep(), 7);
    EXPECT_EQ(picture.at(MouthSideX, MouthSideY), Red);
    EXPECT_EQ(picture.at(HeadX, HeadY), GoblinGreen);
    EXPECT_EQ(picture.at(EyeballX, EyeballY), White);
    EXPECT_EQ(controls.caption, screens().back());
    EXPECT_TRUE(choiceShown());
    EXPECT_FALSE(controls.visible(Action::TryAnotherChoice) || controls.visible(Action::StartOver));
    session.perform(Action::Advance).finish();
    EXPECT_TRUE(choiceShown());
    EXPECT_EQ(controls.caption, screens().back());
}

TEST_F(StoryFixture, StartOverClearsEverythingAndTheStoryBeginsAgain) {
    clicks(7);
    session.perform(Action::FireBall).finish();
    session.perform(Action::StartOver).finish();
    EXPECT_EQ(story.storyStep(), 0);
    EXPECT_EQ(controls.caption, " ");
    EXPECT_TRUE(picture == PixelGrid(W, H, 30));
    EXPECT_FALSE(anyButtonShown());
    session.perform(Action::Advance).finish();
    EXPECT_EQ(controls.caption, screens().front());
    session.perform(Action::Advance).finish();
    EXPECT_EQ(picture.at(MouthSideX, MouthSideY), Red);
    EXPECT_EQ(picture.at(EyeballX, EyeballY), White);
}

TEST_F(StoryFixture, TempoOfTheStoryScreens) {
    Timeline& timeline = session.timeline();
    const auto seconds = [&] { return static_cast<double>(timeline.nominalNs()) * 1e-9; };
    clicks(1);
    timeline.restart();
    clicks(1);
    const double lair = seconds();
    std::printf("[ tempo ] story screen 2 %.3f s\n", lair);
    EXPECT_GE(lair, 1.5);
    EXPECT_LE(lair, 3.0);
    clicks(3);
    timeline.restart();
    clicks(1);
    std::printf("[ tempo ] story screen 6 %.3f s\n", seconds());
    EXPECT_LT(seconds(), 0.2);
    clicks(1);
    session.perform(Action::FlameBreath).finish();
    timeline.restart();
    session.perform(Action::TryAnotherChoice).finish();
    std::printf("[ tempo ] try another choice %.3f s\n", seconds());
    EXPECT_LT(seconds(), 1.5);
}

// What the picture is said to show follows what was painted, not just the screen count: an
// attack's aftermath stays through later clicks until the lair comes back.
TEST_F(StoryFixture, TheSceneFollowsWhatWasPainted) {
    EXPECT_EQ(story.scene(), Scene::Blank);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Title);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Lair);
    clicks(3);
    EXPECT_EQ(story.scene(), Scene::Lair);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Goblin);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Goblin);
    for (const Attack& attack : Attacks) {
        session.perform(attack.action).finish();
        EXPECT_EQ(story.scene(), attack.aftermath);
        clicks(2);
        EXPECT_EQ(story.scene(), attack.aftermath);
        session.perform(Action::TryAnotherChoice).finish();
        EXPECT_EQ(story.scene(), Scene::Goblin);
    }
    session.perform(Action::EatHim).finish();
    session.perform(Action::StartOver).finish();
    EXPECT_EQ(story.scene(), Scene::Blank);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Title);
}
