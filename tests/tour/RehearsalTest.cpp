#include "tour/Rehearsal.h"

#include <gtest/gtest.h>

namespace {

std::vector<TourStep> steps(std::string_view text) {
    ParsedTour tour = parseTour(text);
    EXPECT_EQ(tour.error, "") << text;
    return tour.steps;
}

} // namespace

TEST(Rehearsal, RehearsalFindsButtonsThatAreNotOnScreen) {
    const std::pair<const char*, const char*> cases[] = {
        {"fire", "step 1 'fire': the FIRE BALL button"},
        {"click*6,eat", "step 7 'eat': the EAT HIM button"},
        {"click*7,again", "step 8 'again': the Try Another Choice button"},
        {"click*7,flame,flame", "step 9 'flame': the FLAME BREATH button"},
        {"click*7,eat,restart,restart", "step 10 'restart': the Start Over button"},
        {"click*7,fire,restart,click*6,fire", "step 16 'fire'"},
    };
    for (const auto& [text, message] : cases) {
        const Rehearsal rehearsal = rehearse(steps(text), {1024, 720}, 1);
        EXPECT_NE(rehearsal.error.find(message), std::string::npos)
            << text << ": " << rehearsal.error;
    }
    const Rehearsal whole = rehearse(steps("click*7,fire,again,flame,again,eat,restart,click*7,"
                                           "eat,restart,click*20"),
                                     {1024, 720}, 1);
    EXPECT_EQ(whole.error, "");
    EXPECT_EQ(whole.nominalNs.size(), 42u);
}

TEST(Rehearsal, RehearsalTimesEachStepAndFollowsTheSize) {
    const std::vector<TourStep> tour = steps("click*7,fire,again,size:600x400,click");
    const Rehearsal first = rehearse(tour, {1024, 720}, 9);
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
    EXPECT_EQ(rehearse(tour, {1024, 720}, 9).nominalNs, first.nominalNs);
    // Clipping charges fewer pixels in a smaller window.
    const Rehearsal small = rehearse(steps("click*2"), {400, 300}, 9);
    ASSERT_EQ(small.error, "");
    EXPECT_LT(small.nominalNs[1], first.nominalNs[1]);
}

// The window cannot be made smaller than its minimum, at the start or on the way.
TEST(Rehearsal, SizesBelowTheWindowsMinimumAreRefused) {
    EXPECT_EQ(rehearse(steps("click"), {200, 720}, 1).error,
              "--size: the window is at least 320x225, not 200x720");
    EXPECT_EQ(rehearse(steps("click,size:1024x224,click"), {1024, 720}, 1, ViewMode::Fit).error,
              "--play step 2 'size:1024x224': the window is at least 320x225, not 1024x224");
}

// Every button stays in reach: a window too small for the design places moves the controls
// into a panel, in actual size as fitted, from the first step or after a resize on the way.
TEST(Rehearsal, EveryButtonIsInReachAtEverySize) {
    const std::vector<TourStep> tour = steps(DefaultTour);
    for (const ViewMode view : {ViewMode::Actual, ViewMode::Fit})
        for (const PixelSize size : {PixelSize{1024, 720}, PixelSize{786, 621}, MinimumSize})
            EXPECT_EQ(rehearse(tour, size, 1, view).error, "") << size.width;
    EXPECT_EQ(rehearse(steps("click*7,fire,again,size:500x400,flame"), {1024, 720}, 1).error, "");
}
