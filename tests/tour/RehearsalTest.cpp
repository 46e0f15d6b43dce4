#include "tour/Rehearsal.h"
#include "tour/PageText.h"

#include <gtest/gtest.h>

namespace {

std::vector<TourStep> steps(std::string_view text) {
    ParsedTour tour = parseTour(text);
    EXPECT_EQ(tour.reason, "") << text;
    return tour.steps;
}

// The step that was refused, as the page's notices name it.
std::string refusal(const Rehearsal& rehearsal) {
    if (!rehearsal.failure)
        return {};
    EXPECT_EQ(rehearsal.failure->kind, Failure::Kind::RefusedStep);
    return pageText(*rehearsal.failure);
}

} // namespace

TEST(Rehearsal, RehearsalFindsButtonsThatAreNotOnScreen) {
    const std::pair<const char*, const char*> cases[] = {
        {"fire", "step 1, the FIRE BALL button"},
        {"click*6,eat", "step 7, the EAT HIM button"},
        {"click*7,again", "step 8, the Try Another Choice button"},
        {"click*7,flame,flame", "step 9, the FLAME BREATH button"},
        {"click*7,eat,restart,restart", "step 10, the Start Over button"},
        {"click*7,fire,restart,click*6,fire", "step 16,"},
    };
    for (const auto& [text, message] : cases) {
        const std::string refused = refusal(rehearse(steps(text), {1024, 720}, 1));
        EXPECT_NE(refused.find(message), std::string::npos) << text << ": " << refused;
    }
    const Rehearsal whole = rehearse(steps("click*7,fire,again,flame,again,eat,restart,click*7,"
                                           "eat,restart,click*20"),
                                     {1024, 720}, 1);
    EXPECT_FALSE(whole.failure);
    EXPECT_EQ(whole.nominalNs.size(), 42u);
}

TEST(Rehearsal, RehearsalTimesEachStepAndFollowsTheSize) {
    const std::vector<TourStep> tour = steps("click*7,fire,again,size:600x400,click");
    const Rehearsal first = rehearse(tour, {1024, 720}, 9);
    ASSERT_FALSE(first.failure);
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
    ASSERT_FALSE(small.failure);
    EXPECT_LT(small.nominalNs[1], first.nominalNs[1]);
}

// The window cannot be made smaller than its minimum, at the start or on the way.
TEST(Rehearsal, SizesBelowTheWindowsMinimumAreRefused) {
    const Rehearsal start = rehearse(steps("click"), {200, 720}, 1);
    ASSERT_TRUE(start.failure);
    EXPECT_EQ(start.failure->stepNumber, 0u);
    EXPECT_EQ(start.failure->reason, "the window is at least 320x225, not 200x720");
    const Rehearsal later =
        rehearse(steps("click,size:1024x224,click"), {1024, 720}, 1, ViewMode::Fit);
    ASSERT_TRUE(later.failure);
    EXPECT_EQ(later.failure->kind, Failure::Kind::RefusedStep);
    EXPECT_EQ(later.failure->stepNumber, 2u);
    EXPECT_EQ(later.failure->step, "size:1024x224");
    EXPECT_EQ(later.failure->reason, "the window is at least 320x225, not 1024x224");
}

// Every button stays in reach: a window too small for the design places moves the controls
// into a panel, in actual size as fitted, from the first step or after a resize on the way.
TEST(Rehearsal, EveryButtonIsInReachAtEverySize) {
    const std::vector<TourStep> tour = steps(DefaultTour);
    for (const ViewMode view : {ViewMode::Actual, ViewMode::Fit})
        for (const PixelSize size : {PixelSize{1024, 720}, PixelSize{786, 621}, MinimumSize})
            EXPECT_FALSE(rehearse(tour, size, 1, view).failure) << size.width;
    EXPECT_FALSE(rehearse(steps("click*7,fire,again,size:500x400,flame"), {1024, 720}, 1).failure);
}
