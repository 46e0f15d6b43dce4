#include "tour/TourScript.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<Action> actions(const ParsedTour& tour) {
    std::vector<Action> result;
    for (const TourStep& step : tour.steps)
        result.push_back(std::get<Action>(step));
    return result;
}

} // namespace

TEST(TourScript, ClientSizes) {
    EXPECT_EQ(parseClientSize("1024x720"), (PixelSize{1024, 720}));
    EXPECT_EQ(parseClientSize("1x4096"), (PixelSize{1, 4096}));
    for (const char* bad :
         {"", "x", "1024", "1024x", "x720", "0x720", "1024x0", "4097x10", "10x4097", "-5x10",
          "+5x10", " 5x10", "5x10 ", "5X10", "5x10x2", "99999999999x10", "5.0x10"})
        EXPECT_FALSE(parseClientSize(bad)) << bad;
}

TEST(TourScript, ListsExpandRepeatsAndResizes) {
    const ParsedTour tour = parseTour(DefaultTour);
    EXPECT_EQ(tour.reason, "");
    std::vector<Action> expected(7, Action::Advance);
    expected.insert(expected.end(),
                    {Action::FireBall, Action::TryAnotherChoice, Action::FlameBreath,
                     Action::TryAnotherChoice, Action::EatHim});
    EXPECT_EQ(actions(tour), expected);

    const ParsedTour mixed = parseTour(" click*2 , size:800x600,restart,click*1");
    EXPECT_EQ(mixed.reason, "");
    ASSERT_EQ(mixed.steps.size(), 5u);
    EXPECT_EQ(mixed.steps[2], TourStep(PixelSize{800, 600}));
    EXPECT_EQ(mixed.steps[3], TourStep(Action::StartOver));
    EXPECT_EQ(stepName(mixed.steps[2]), "size:800x600");
    EXPECT_EQ(stepName(mixed.steps[4]), "click");
}

TEST(TourScript, BadListsNameTheFaultyStep) {
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
        const ParsedTour tour = parseTour(text);
        EXPECT_NE(tour.reason.find(named), std::string::npos) << text << ": " << tour.reason;
        EXPECT_TRUE(tour.steps.empty()) << text;
    }
}
