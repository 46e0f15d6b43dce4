#include "tour/PageLink.h"

#include <gtest/gtest.h>

constexpr PixelSize Page{1024, 720};

TEST(PageLink, SeedsPastWhatAJavaScriptNumberHoldsSurviveExactly) {
    // 2^53 + 1 is the first whole number a double cannot hold.
    EXPECT_EQ(parsePageLink("?seed=9007199254740993", Page).seed, 9007199254740993u);
    EXPECT_EQ(parsePageLink("seed=18446744073709551615", Page).seed, 18446744073709551615u);
    for (const char* query : {"seed=18446744073709551616", "seed=-1", "seed=1e3", "seed="}) {
        const PageLink link = parsePageLink(query, Page);
        EXPECT_FALSE(link.seed) << query;
        ASSERT_EQ(link.notices.size(), 1u) << query;
        EXPECT_TRUE(link.notices[0].starts_with("?seed=")) << link.notices[0];
    }
}

TEST(PageLink, ABadParameterIsIgnoredWholeAndTheOthersStillCount) {
    const PageLink link = parsePageLink("?speed=9000&view=fit&seed=7&volume=11", Page);
    EXPECT_FALSE(link.speed);
    EXPECT_EQ(link.view, ViewMode::Fit);
    EXPECT_EQ(link.seed, 7u);
    EXPECT_EQ(link.notices,
              (std::vector<std::string>{"?speed=9000 is ignored: wants 0 or 1/64 to 64",
                                        "?volume=11 is ignored: not a setting of the game"}));

    const PageLink again = parsePageLink("view=wide&speed=1%2F4&seed=%zz&speed=2", Page);
    EXPECT_FALSE(again.view);
    EXPECT_EQ(again.speed, 0.25);
    EXPECT_FALSE(again.seed);
    EXPECT_EQ(again.notices.size(), 3u);
}

TEST(PageLink, EncodedCommasAndSpacesAreDecodedInAnyOrder) {
    const PageLink link = parsePageLink("play=click*7%2Cfire%2cagain&speed=0&view=actual", Page);
    std::vector<TourStep> tour(7, Action::Advance);
    tour.insert(tour.end(), {Action::FireBall, Action::TryAnotherChoice});
    EXPECT_EQ(link.tour, tour);
    EXPECT_EQ(link.speed, 0.0);
    EXPECT_EQ(link.view, ViewMode::Actual);
    EXPECT_TRUE(link.notices.empty());
    // '+' is a space, which no step name has.
    EXPECT_EQ(parsePageLink("view=fit+", Page).notices,
              std::vector<std::string>{"?view=fit  is ignored: wants fit or actual"});
}

// Sound off or on for one visit: only 1 and 0, once, and nothing when the link does not say.
TEST(PageLink, MuteIsOneOrZeroAndOnlyWhenAsked) {
    EXPECT_EQ(parsePageLink("?mute=1", Page).mute, true);
    EXPECT_EQ(parsePageLink("play=click&mute=0&seed=3", Page).mute, false);
    EXPECT_FALSE(parsePageLink("?seed=3", Page).mute);
    for (const char* query : {"mute=yes", "mute=", "mute", "mute=true", "mute=01"}) {
        const PageLink link = parsePageLink(query, Page);
        EXPECT_FALSE(link.mute) << query;
        ASSERT_EQ(link.notices.size(), 1u) << query;
        EXPECT_TRUE(link.notices[0].ends_with(" is ignored: wants 1 or 0")) << link.notices[0];
    }
    // The first one counts, as with every other parameter.
    const PageLink twice = parsePageLink("mute=0&mute=1", Page);
    EXPECT_EQ(twice.mute, false);
    EXPECT_EQ(twice.notices, std::vector<std::string>{"?mute=1 is ignored: mute is given earlier"});
}

TEST(PageLink, ATourThatCannotBePlayedToItsEndIsRefusedWhole) {
    const PageLink hidden = parsePageLink("play=click*7,fire,fire&seed=3", Page);
    EXPECT_TRUE(hidden.tour.empty());
    EXPECT_EQ(hidden.seed, 3u);
    ASSERT_EQ(hidden.notices.size(), 1u);
    EXPECT_EQ(hidden.notices[0], "?play=click*7,fire,fire is ignored: step 9, the FIRE BALL "
                                 "button is not on screen at that point");

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
        EXPECT_FALSE(link.seed || link.speed || link.view || link.mute) << query;
        EXPECT_TRUE(link.tour.empty() && link.notices.empty()) << query;
    }
}

// A notice is one short line in the link's own terms: control characters and overlong values
// cut, letters of any script kept as written, never a command-line option, and only a few.
TEST(PageLink, NoticesAreFewShortLinesInTheLinksOwnTerms) {
    const std::string junk(100000, 'x');
    const PageLink link = parsePageLink("x%0Ay=" + junk, Page);
    ASSERT_EQ(link.notices.size(), 1u);
    EXPECT_TRUE(link.notices[0].starts_with("?x?y=xxx")) << link.notices[0];
    EXPECT_LT(link.notices[0].size(), 120u);
    // Reasons quote the link too.
    const PageLink step = parsePageLink("play=" + junk, Page);
    EXPECT_LT(step.notices[0].size(), 200u) << step.notices[0];

    const PageLink named = parsePageLink("dr%C3%A4che=%E2%9C%93", Page);
    ASSERT_EQ(named.notices.size(), 1u);
    EXPECT_TRUE(named.notices[0].starts_with("?dr\xC3\xA4"
                                             "che=\xE2\x9C\x93 is"))
        << named.notices[0];
    // Cut between characters, not inside one.
    const PageLink cut = parsePageLink("q=" + std::string(39, 'x') + "%C3%A4", Page);
    EXPECT_NE(cut.notices[0].find(std::string(39, 'x') + "..."), std::string::npos);

    std::string many;
    for (int i = 0; i < 500; ++i)
        many += "a=b&c=d&";
    const PageLink crowd = parsePageLink(many, Page);
    ASSERT_EQ(crowd.notices.size(), 3u);
    EXPECT_EQ(crowd.notices[2], "and 998 more parameters are ignored");

    for (const char* query : {"play=click*99999", "play=click,,fire", "play=jump", "play=size:1x1",
                              "play=fire", "play=click*7,fire,fire"})
        for (const std::string& notice : parsePageLink(query, Page).notices) {
            EXPECT_EQ(notice.find("--"), std::string::npos) << notice;
            EXPECT_TRUE(notice.starts_with("?play=")) << notice;
        }
}

// Every step of a link is painted before the page takes its first click: a list longer than a
// moment's painting is refused whole, before it is even rehearsed.
TEST(PageLink, ALinkAsksForNoMoreThanAMomentsPainting) {
    EXPECT_EQ(parsePageLink("play=click*7,fire,again,flame,again,eat", Page).tour.size(), 12u);
    std::string greedy = "play=click*7";
    for (int i = 0; i < 100; ++i)
        greedy += ",fire,again";
    const PageLink link = parsePageLink(greedy, Page);
    EXPECT_TRUE(link.tour.empty());
    ASSERT_EQ(link.notices.size(), 1u);
    // Three fire balls take the page a second to paint.
    EXPECT_TRUE(parsePageLink("play=click*7,fire,again,fire,again,fire", Page).tour.empty());
}
