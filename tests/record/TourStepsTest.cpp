#include "record/TourSteps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Action = TourStep::Action;

std::vector<Action> actions(const ParsedTour& tour) {
    std::vector<Action> result;
    for (const TourStep& step : tour.steps)
        result.push_back(step.action);
    return result;
}

std::vector<TourStep> steps(std::string_view text) {
    ParsedTour tour = ParseTour(text);
    EXPECT_EQ(tour.error, "") << text;
    return tour.steps;
}

} // namespace

TEST(TourSteps, ClientSizes) {
    EXPECT_EQ(ParseClientSize("1024x720"), (ClientSize{1024, 720}));
    EXPECT_EQ(ParseClientSize("1x4096"), (ClientSize{1, 4096}));
    for (const char* bad :
         {"", "x", "1024", "1024x", "x720", "0x720", "1024x0", "4097x10", "10x4097", "-5x10",
          "+5x10", " 5x10", "5x10 ", "5X10", "5x10x2", "99999999999x10", "5.0x10"})
        EXPECT_FALSE(ParseClientSize(bad)) << bad;
}

TEST(TourSteps, ListsExpandRepeatsAndResizes) {
    const ParsedTour tour = ParseTour(DefaultTour);
    EXPECT_EQ(tour.error, "");
    std::vector<Action> expected(7, Action::Click);
    expected.insert(expected.end(), {Action::FireBall, Action::TryAgain, Action::Flame,
                                     Action::TryAgain, Action::Eat});
    EXPECT_EQ(actions(tour), expected);

    const ParsedTour mixed = ParseTour(" click*2 , size:800x600,restart,click*1");
    EXPECT_EQ(mixed.error, "");
    ASSERT_EQ(mixed.steps.size(), 5u);
    EXPECT_EQ(mixed.steps[2], (TourStep{Action::Resize, {800, 600}}));
    EXPECT_EQ(mixed.steps[3].action, Action::Restart);
    EXPECT_EQ(StepName(mixed.steps[2]), "size:800x600");
    EXPECT_EQ(StepName(mixed.steps[4]), "click");
}

TEST(TourSteps, BadListsNameTheFaultyStep) {
    const std::pair<const char*, const char*> cases[] = {
        {"click,jump", "'jump'"},
        {"Click", "'Click'"},
        {"click,,fire", "empty"},
        {"", "empty"},
        {"click,", "empty"},
        {"click*0", "'click*0'"},
        {"click*", "'click*'"},
        {"click*1001", "'click*1001'"},
        {"click*-1", "'click*-1'"},
        {"click*2x", "'click*2x'"},
        {"size:0x10", "'size:0x10'"},
        {"size:", "'size:'"},
        {"size:4097x5", "'size:4097x5'"},
    };
    for (const auto& [text, named] : cases) {
        const ParsedTour tour = ParseTour(text);
        EXPECT_NE(tour.error.find(named), std::string::npos) << text << ": " << tour.error;
        EXPECT_TRUE(tour.steps.empty()) << text;
    }
}

TEST(TourSteps, RehearsalFindsButtonsThatAreNotOnScreen) {
    const std::pair<const char*, const char*> cases[] = {
        {"fire", "step 1 'fire': the FIRE BALL button"},
        {"click*6,eat", "step 7 'eat': the EAT HIM button"},
        {"click*7,again", "step 8 'again': the Try Another Choice button"},
        {"click*7,flame,flame", "step 9 'flame': the FLAME BREATH button"},
        {"click*7,eat,restart,restart", "step 10 'restart': the Start Over button"},
        {"click*7,fire,restart,click*6,fire", "step 16 'fire'"},
    };
    for (const auto& [text, message] : cases) {
        const Rehearsal rehearsal = RehearseTour(steps(text), {1024, 720}, 1);
        EXPECT_NE(rehearsal.error.find(message), std::string::npos)
            << text << ": " << rehearsal.error;
    }
    const Rehearsal whole = RehearseTour(steps("click*7,fire,again,flame,again,eat,restart,click*7,"
                                               "eat,restart,click*20"),
                                         {1024, 720}, 1);
    EXPECT_EQ(whole.error, "");
    EXPECT_EQ(whole.nominalNs.size(), 42u);
}

TEST(TourSteps, RehearsalTimesEachStepAndFollowsTheSize) {
    const std::vector<TourStep> tour = steps("click*7,fire,again,size:600x400,click");
    const Rehearsal first = RehearseTour(tour, {1024, 720}, 9);
    ASSERT_EQ(first.error, "");
    ASSERT_EQ(first.nominalNs.size(), tour.size());
    // Only the lair, the goblin, the attack and the repainted lair take time.
    for (std::size_t i : {0u, 2u, 3u, 4u, 6u, 9u, 10u})
        EXPECT_EQ(first.nominalNs[i], 0) << i;
    EXPECT_GT(first.nominalNs[1], 1'000'000'000); // the body grows for about a second
    EXPECT_GT(first.nominalNs[5], 0);
    EXPECT_GT(first.nominalNs[7], 4'000'000'000); // the fire ball
    EXPECT_GT(first.nominalNs[8], 0);
    // The same seed times the same steps the same.
    EXPECT_EQ(RehearseTour(tour, {1024, 720}, 9).nominalNs, first.nominalNs);
    // Clipping charges fewer pixels in a smaller window.
    const Rehearsal small = RehearseTour(tour, {400, 300}, 9);
    ASSERT_EQ(small.error, "");
    EXPECT_LT(small.nominalNs[1], first.nominalNs[1]);
}
