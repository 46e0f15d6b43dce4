#include "StageFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

struct StoryFixture : ::testing::Test {
    StageFixture fixture;
    Session& session = fixture.session;
    const Story& story = fixture.session.story();

    void clicks(int count) {
        for (int i = 0; i < count; ++i)
            session.perform(Action::Advance);
    }
    bool attackButtonsShown() const {
        return fixture.controls.visible(Action::EatHim) &&
               fixture.controls.visible(Action::FireBall) &&
               fixture.controls.visible(Action::FlameBreath);
    }
    bool anyButtonShown() const {
        for (const ActionName& entry : ActionNames)
            if (fixture.controls.visible(entry.action))
                return true;
        return false;
    }
};

} // namespace

TEST_F(StoryFixture, EveryScreenShowsItsCaption) {
    const char* const captions[] = {
        nullptr,
        nullptr, // the title, checked below
        " ",
        "So you're a brumox, just chillin' in your dungeon, guarding your stash of gold.",
        "Yeah, yeah, you look more like a Sesame Street character than a brumox...But rest "
        "assured, you still can kick major bootie.",
        "Anyway, like I said, you were chillin' in your dungeon, minding your own business...",
        "When SUDDENLY a POORLY DRAWN GOBLIN pops out of nowhere, tyring to steal your stash!",
        "Well? Whatcha gonna do?"};
    EXPECT_EQ(story.storyStep(), 0);
    for (int step = 1; step <= 7; ++step) {
        session.perform(Action::Advance);
        EXPECT_EQ(story.storyStep(), step);
        if (step == 1)
            EXPECT_EQ(fixture.controls.caption, Story::Title);
        else
            EXPECT_EQ(fixture.controls.caption, captions[step]) << "screen " << step;
        EXPECT_EQ(attackButtonsShown(), step == 7) << "screen " << step;
    }
    EXPECT_FALSE(fixture.controls.visible(Action::TryAnotherChoice));
    EXPECT_FALSE(fixture.controls.visible(Action::StartOver));
}

TEST_F(StoryFixture, TitleNamesTheGameAndTheDisplay) {
    EXPECT_EQ(Story::Title.rfind("BRUMOX SIMULATOR", 0), 0u);
    EXPECT_NE(Story::Title.find("1024 x 768"), std::string::npos);
}

TEST_F(StoryFixture, OnlyScreensTwoAndSixPaint) {
    clicks(1);
    EXPECT_TRUE(fixture.recording.primitives().empty());
    clicks(1); // the lair, with the growing body
    EXPECT_EQ(fixture.recording.primitives().size(), 18140u + 499 + 4999);
    fixture.recording.forget();
    clicks(3);
    EXPECT_TRUE(fixture.recording.primitives().empty());
    clicks(1); // the goblin
    EXPECT_EQ(fixture.recording.primitives().size(), 6u + 3 + 399);
    fixture.recording.forget();
    clicks(5);
    EXPECT_TRUE(fixture.recording.primitives().empty());
    EXPECT_EQ(fixture.controls.caption, "Well? Whatcha gonna do?");
}

TEST_F(StoryFixture, ClicksPastTheChoiceSaturateInsteadOfOverflowing) {
    clicks(7);
    const auto before = fixture.controls.calls.size();
    clicks(std::numeric_limits<std::int16_t>::max() + 10);
    EXPECT_EQ(story.storyStep(), std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(fixture.controls.calls.size(), before);
}

TEST_F(StoryFixture, AnAttackHidesTheChoiceThenShowsItsMessageAndTwoButtons) {
    clicks(7);
    fixture.controls.calls.clear();
    session.perform(Action::FlameBreath);
    const std::vector<std::string> opening = {"hide:eat", "hide:fire", "hide:flame", "hide:label"};
    const std::vector<std::string> closing = {"show:label", "caption:Ooh that burns...",
                                              "show:again", "show:restart"};
    ASSERT_EQ(fixture.controls.calls.size(), 8u);
    EXPECT_EQ(std::vector(fixture.controls.calls.begin(), fixture.controls.calls.begin() + 4),
              opening);
    EXPECT_EQ(std::vector(fixture.controls.calls.begin() + 4, fixture.controls.calls.end()),
              closing);
    EXPECT_EQ(story.storyStep(), 7);
    EXPECT_EQ(fixture.recording.clearCount(), 0); // attacks play over the lair

    session.perform(Action::FireBall);
    EXPECT_EQ(fixture.controls.caption, "Buh-Bye.");
    session.perform(Action::EatHim);
    EXPECT_EQ(fixture.controls.caption, "Yummy...");
}

TEST_F(StoryFixture, TryAnotherChoiceRepaintsTheLairAtOnceAndOffersTheChoice) {
    clicks(7);
    session.perform(Action::EatHim);
    fixture.recording.forget();
    fixture.controls.calls.clear();
    session.perform(Action::Advance); // counts on past the question
    session.perform(Action::TryAnotherChoice);
    EXPECT_EQ(story.storyStep(), 7);
    EXPECT_EQ(fixture.recording.clearCount(), 1);
    // Body in one ellipse, then eye, brow, tail, spikes, floor, hoard and goblin.
    EXPECT_EQ(fixture.recording.primitives().size(), 15142u + 499 + 4999 + 408);
    const std::vector<std::string> expected = {
        "caption: ", "hide:again", "hide:restart", "caption: ", "caption:Well? Whatcha gonna do?",
        "show:eat",  "show:fire",  "show:flame"};
    // drawBody blanks the label too, between the buttons and the question.
    EXPECT_EQ(fixture.controls.calls, expected);
    session.perform(Action::Advance);
    EXPECT_TRUE(attackButtonsShown());
    EXPECT_EQ(fixture.controls.caption, "Well? Whatcha gonna do?");
}

TEST_F(StoryFixture, StartOverClearsEverythingAndTheNextClickShowsTheTitle) {
    clicks(7);
    session.perform(Action::FireBall);
    session.perform(Action::StartOver);
    EXPECT_EQ(story.storyStep(), 0);
    EXPECT_EQ(fixture.controls.caption, " ");
    EXPECT_EQ(fixture.recording.clearCount(), 1);
    EXPECT_FALSE(anyButtonShown());
    session.perform(Action::Advance);
    EXPECT_EQ(fixture.controls.caption, Story::Title);
    fixture.recording.forget();
    session.perform(Action::Advance);
    EXPECT_EQ(fixture.recording.primitives().size(), 18140u + 499 + 4999);
}

TEST_F(StoryFixture, TempoOfTheStoryScreens) {
    clicks(1);
    fixture.timeline.restart();
    clicks(1);
    const double lair = fixture.nominalSeconds();
    std::printf("[ tempo ] story screen 2 %.3f s\n", lair);
    EXPECT_GE(lair, 1.5);
    EXPECT_LE(lair, 3.0);
    clicks(3);
    fixture.timeline.restart();
    clicks(1);
    std::printf("[ tempo ] story screen 6 %.3f s\n", fixture.nominalSeconds());
    EXPECT_LT(fixture.nominalSeconds(), 0.2);
    clicks(1);
    session.perform(Action::FlameBreath);
    fixture.timeline.restart();
    session.perform(Action::TryAnotherChoice);
    std::printf("[ tempo ] try another choice %.3f s\n", fixture.nominalSeconds());
    EXPECT_LT(fixture.nominalSeconds(), 1.5);
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
    const std::pair<Action, Scene> attacks[] = {{Action::FireBall, Scene::Blasted},
                                                {Action::FlameBreath, Scene::Burnt},
                                                {Action::EatHim, Scene::Eaten}};
    for (const auto& [attack, aftermath] : attacks) {
        session.perform(attack);
        EXPECT_EQ(story.scene(), aftermath);
        clicks(2);
        EXPECT_EQ(story.scene(), aftermath);
        session.perform(Action::TryAnotherChoice);
        EXPECT_EQ(story.scene(), Scene::Goblin);
    }
    session.perform(Action::EatHim);
    session.perform(Action::StartOver);
    EXPECT_EQ(story.scene(), Scene::Blank);
    clicks(1);
    EXPECT_EQ(story.scene(), Scene::Title);
}
