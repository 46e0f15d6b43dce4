#include "game/Story.h"
#include "StageFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

using Button = GameView::Button;

struct StoryFixture : ::testing::Test {
    StageFixture fixture;
    Story story{fixture.stage};

    void SetUp() override { story.Form_Load(); }
    void clicks(int count) {
        for (int i = 0; i < count; ++i)
            story.Form_Click();
    }
    bool attackButtonsShown() const {
        return fixture.view.Visible(Button::Eat) && fixture.view.Visible(Button::FireBall) &&
               fixture.view.Visible(Button::Flame);
    }
    bool anyButtonShown() const {
        for (Button b :
             {Button::Restart, Button::TryAgain, Button::Eat, Button::FireBall, Button::Flame})
            if (fixture.view.Visible(b))
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
        story.Form_Click();
        EXPECT_EQ(story.storyStep(), step);
        if (step == 1)
            EXPECT_EQ(fixture.view.caption, Story::Title);
        else
            EXPECT_EQ(fixture.view.caption, captions[step]) << "screen " << step;
        EXPECT_EQ(attackButtonsShown(), step == 7) << "screen " << step;
    }
    EXPECT_FALSE(fixture.view.Visible(Button::TryAgain));
    EXPECT_FALSE(fixture.view.Visible(Button::Restart));
}

TEST_F(StoryFixture, TitleNamesTheGameAndTheDisplay) {
    EXPECT_EQ(Story::Title.rfind("BRUMOX SIMULATOR", 0), 0u);
    EXPECT_NE(Story::Title.find("1024 x 768"), std::string::npos);
}

TEST_F(StoryFixture, OnlyScreensTwoAndSixPaint) {
    clicks(1);
    EXPECT_TRUE(fixture.recording.Primitives().empty());
    clicks(1); // the lair, with the growing body
    EXPECT_EQ(fixture.recording.Primitives().size(), 18140u + 499 + 4999);
    fixture.recording.Forget();
    clicks(3);
    EXPECT_TRUE(fixture.recording.Primitives().empty());
    clicks(1); // the goblin
    EXPECT_EQ(fixture.recording.Primitives().size(), 6u + 3 + 399);
    fixture.recording.Forget();
    clicks(5);
    EXPECT_TRUE(fixture.recording.Primitives().empty());
    EXPECT_EQ(fixture.view.caption, "Well? Whatcha gonna do?");
}

TEST_F(StoryFixture, ClicksPastTheChoiceSaturateInsteadOfOverflowing) {
    clicks(7);
    const auto before = fixture.view.calls.size();
    clicks(std::numeric_limits<std::int16_t>::max() + 10);
    EXPECT_EQ(story.storyStep(), std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(fixture.view.calls.size(), before);
}

TEST_F(StoryFixture, AnAttackHidesTheChoiceThenShowsItsMessageAndTwoButtons) {
    clicks(7);
    fixture.view.calls.clear();
    story.cmdFlame_Click();
    const std::vector<std::string> opening = {"hide:cmdEat", "hide:cmdFireBall", "hide:cmdFlame",
                                              "hide:lbl"};
    const std::vector<std::string> closing = {"show:lbl", "caption:Ooh that burns...",
                                              "show:cmdTryAgain", "show:cmdRestart"};
    ASSERT_EQ(fixture.view.calls.size(), 8u);
    EXPECT_EQ(std::vector(fixture.view.calls.begin(), fixture.view.calls.begin() + 4), opening);
    EXPECT_EQ(std::vector(fixture.view.calls.begin() + 4, fixture.view.calls.end()), closing);
    EXPECT_EQ(story.storyStep(), 7);
    EXPECT_EQ(fixture.recording.ClsCount(), 0); // attacks play over the lair

    story.cmdFireBall_Click();
    EXPECT_EQ(fixture.view.caption, "Buh-Bye.");
    story.cmdEat_Click();
    EXPECT_EQ(fixture.view.caption, "Yummy...");
}

TEST_F(StoryFixture, TryAnotherChoiceRepaintsTheLairAtOnceAndOffersTheChoice) {
    clicks(7);
    story.cmdEat_Click();
    fixture.recording.Forget();
    fixture.view.calls.clear();
    story.Form_Click(); // counts on past the question
    story.cmdTryAgain_Click();
    EXPECT_EQ(story.storyStep(), 7);
    EXPECT_EQ(fixture.recording.ClsCount(), 1);
    // Body in one ellipse, then eye, brow, tail, spikes, floor, hoard and goblin.
    EXPECT_EQ(fixture.recording.Primitives().size(), 15142u + 499 + 4999 + 408);
    const std::vector<std::string> expected = {
        "caption: ",   "hide:cmdTryAgain", "hide:cmdRestart",
        "caption: ",   "caption: ",        "caption:Well? Whatcha gonna do?",
        "show:cmdEat", "show:cmdFireBall", "show:cmdFlame"};
    // DrawBody blanks the label too, between the buttons and the question.
    EXPECT_EQ(fixture.view.calls, expected);
    story.Form_Click();
    EXPECT_TRUE(attackButtonsShown());
    EXPECT_EQ(fixture.view.caption, "Well? Whatcha gonna do?");
}

TEST_F(StoryFixture, StartOverClearsEverythingAndTheNextClickShowsTheTitle) {
    clicks(7);
    story.cmdFireBall_Click();
    story.cmdRestart_Click();
    EXPECT_EQ(story.storyStep(), 0);
    EXPECT_EQ(fixture.view.caption, " ");
    EXPECT_EQ(fixture.recording.ClsCount(), 1);
    EXPECT_FALSE(anyButtonShown());
    story.Form_Click();
    EXPECT_EQ(fixture.view.caption, Story::Title);
    fixture.recording.Forget();
    story.Form_Click();
    EXPECT_EQ(fixture.recording.Primitives().size(), 18140u + 499 + 4999);
}

TEST_F(StoryFixture, TempoOfTheStoryScreens) {
    clicks(1);
    fixture.timeline.Restart();
    clicks(1);
    const double lair = fixture.NominalSeconds();
    std::printf("[ tempo ] story screen 2 %.3f s\n", lair);
    EXPECT_GE(lair, 1.5);
    EXPECT_LE(lair, 3.0);
    clicks(3);
    fixture.timeline.Restart();
    clicks(1);
    std::printf("[ tempo ] story screen 6 %.3f s\n", fixture.NominalSeconds());
    EXPECT_LT(fixture.NominalSeconds(), 0.2);
    clicks(1);
    story.cmdFlame_Click();
    fixture.timeline.Restart();
    story.cmdTryAgain_Click();
    std::printf("[ tempo ] try another choice %.3f s\n", fixture.NominalSeconds());
    EXPECT_LT(fixture.NominalSeconds(), 1.5);
}
