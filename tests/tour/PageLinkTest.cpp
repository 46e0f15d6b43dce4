#include "tour/PageLink.h"

#include <gtest/gtest.h>

namespace {

constexpr PixelSize Page{1024, 720};

std::vector<TourStep> steps(std::string_view text) {
    ParsedTour tour = parseTour(text);
    EXPECT_EQ(tour.error, "") << text;
    return tour.steps;
}

} // namespace

TEST(PageLink, SeedsPastWhatAJavaScriptNumberHoldsSurviveExactly) {
    // 2^53 + 1 is the first whole number a double cannot hold.
    EXPECT_EQ(parsePageLink("?seed=9007199254740993", Page).seed, 9007199254740993u);
    EXPECT_EQ(parsePageLink("seed=18446744073709551615", Page).seed, 18446744073709551615u);
    for (const char* query : {"seed=18446744073709551616", "seed=-1", "seed=1e3", "seed="}) {
        const PageLink link = parsePageLink(query, Page);
        EXPECT_FALSE(link.seed) << query;
        ASSERT_EQ(link.notices.size(), 1u) << query;
        EXPECT_TRUE(link.notices[0].starts_with("Ignored seed=")) << link.notices[0];
    }
}

TEST(PageLink, ABadParameterIsIgnoredWholeAndTheOthersStillCount) {
    const PageLink link = parsePageLink("?speed=9000&view=fit&seed=7&volume=11", Page);
    EXPECT_FALSE(link.speed);
    EXPECT_EQ(link.view, ViewMode::Fit);
    EXPECT_EQ(link.seed, 7u);
    EXPECT_EQ(link.notices, (std::vector<std::string>{"Ignored speed=9000: wants 0 or 1/64 to 64",
                                                      "Ignored volume=11: not a setting of the "
                                                      "game"}));

    const PageLink again = parsePageLink("view=wide&speed=1%2F4&seed=%zz&speed=2", Page);
    EXPECT_FALSE(again.view);
    EXPECT_EQ(again.speed, 0.25);
    EXPECT_FALSE(again.seed);
    EXPECT_EQ(again.notices.size(), 3u);
}

TEST(PageLink, EncodedCommasAndSpacesAreDecodedInAnyOrder) {
    const PageLink link = parsePageLink("play=click*7%2Cfire%2cagain&speed=0&view=actual", Page);
    EXPECT_EQ(link.tour, steps("click*7,fire,again"));
    EXPECT_EQ(link.speed, 0.0);
    EXPECT_EQ(link.view, ViewMode::Actual);
    EXPECT_TRUE(link.notices.empty());
    // '+' is a space, which no step name has.
    EXPECT_EQ(parsePageLink("view=fit+", Page).notices,
              std::vector<std::string>{"Ignored view=fit : wants fit or actual"});
}

TEST(PageLink, ATourThatCannotBePlayedToItsEndIsRefusedWhole) {
    const PageLink hidden = parsePageLink("play=click*7,fire,fire&seed=3", Page);
    EXPECT_TRUE(hidden.tour.empty());
    EXPECT_EQ(hidden.seed, 3u);
    ASSERT_EQ(hidden.notices.size(), 1u);
    EXPECT_EQ(hidden.notices[0], "Ignored play=click*7,fire,fire: step 9, the FIRE BALL button is "
                                 "not on screen at that point");

    for (const char* query :
         {"play=click,size:800x600", "play=jump", "play=", "play=click&play=click"}) {
        const PageLink link = parsePageLink(query, Page);
        EXPECT_TRUE(link.tour.empty() || std::string_view(query).ends_with("click")) << query;
        EXPECT_EQ(link.notices.size(), 1u) << query;
    }
    // A page below the window's smallest size has no room for any tour.
    EXPECT_TRUE(parsePageLink("play=click", PixelSize{300, 200}).tour.empty());
}

TEST(PageLink, AnEmptyQueryAsksForNothing) {
    for (const char* query : {"", "?", "&&", "?&"}) {
        const PageLink link = parsePageLink(query, Page);
        EXPECT_FALSE(link.seed || link.speed || link.view) << query;
        EXPECT_TRUE(link.tour.empty() && link.notices.empty()) << query;
    }
}

TEST(PageLink, NoticesQuoteOnlyPrintableTextAndNotTooMuchOfIt) {
    const std::string junk(200, 'x');
    const PageLink link = parsePageLink("x%0Ay=" + junk, Page);
    ASSERT_EQ(link.notices.size(), 1u);
    EXPECT_TRUE(link.notices[0].starts_with("Ignored x?y=xxx")) << link.notices[0];
    EXPECT_LT(link.notices[0].size(), 120u);
}
