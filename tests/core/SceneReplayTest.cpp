#include "FakeControls.h"
#include "PixelGrid.h"
#include "canvas/Palette.h"
#include "game/Session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Twips of a 1280 x 900 window in actual size, and of the design a fitted view paints.
constexpr float WideW = 19200, WideH = 13500;
constexpr float DesignW = 15360, DesignH = 10800;
// Coarse cells keep the fire ball's thousands of discs quick.
constexpr float Cell = 30;
constexpr std::uint64_t Seed = 3;

// A game on its own picture, played from the start.
struct Game {
    Game(float width, float height, std::optional<std::uint64_t> seed = Seed)
        : picture(width, height, Cell), session(picture, controls, seed) {}

    void play(const std::vector<Action>& actions) {
        for (const Action action : actions)
            session.perform(action).finish();
    }

    PixelGrid picture;
    FakeControls controls;
    Session session;
};

struct History {
    std::string name;
    std::vector<Action> actions;
};

std::vector<Action> toTheChoice(std::vector<Action> then = {}) {
    std::vector<Action> actions(7, Action::Advance);
    actions.insert(actions.end(), then.begin(), then.end());
    return actions;
}

// Points in the story where a player may switch views, with the attacks' aftermaths and the
// scenes that start on a cleared canvas.
const History Histories[] = {
    {"Lair", {Action::Advance, Action::Advance}},
    {"Question", toTheChoice()},
    {"FireBall", toTheChoice({Action::FireBall})},
    {"FlameBreath", toTheChoice({Action::FlameBreath})},
    {"EatHim", toTheChoice({Action::EatHim})},
    {"AnotherChoice", toTheChoice({Action::EatHim, Action::TryAnotherChoice})},
    {"SecondAttack",
     toTheChoice({Action::FireBall, Action::TryAnotherChoice, Action::FlameBreath})},
    {"StartedOver", toTheChoice({Action::FireBall, Action::StartOver})},
    {"StartedOverToTheGoblin",
     toTheChoice({Action::EatHim, Action::StartOver, Action::Advance, Action::Advance,
                  Action::Advance, Action::Advance, Action::Advance, Action::Advance})},
    {"ClicksPastTheChoice", toTheChoice({Action::Advance, Action::Advance, Action::FireBall})},
};

void PrintTo(const History& history, std::ostream* out) {
    *out << history.name;
}

class SceneReplay : public ::testing::TestWithParam<History> {};

int countOf(const PixelGrid& picture, Color colour) {
    int count = 0;
    picture.forEachCell([&](float, float, Color cell) { count += cell == colour; });
    return count;
}

} // namespace

// Switching views hands the painters another client: the scene painted again for it must be the
// one a game played there from the start shows, whichever way the switch goes.
TEST_P(SceneReplay, EqualsAGamePlayedAtTheNewSizeFromTheStart) {
    const std::vector<Action>& actions = GetParam().actions;
    Game wide(WideW, WideH), design(DesignW, DesignH);
    wide.play(actions);
    design.play(actions);

    PixelGrid fitted(DesignW, DesignH, Cell);
    wide.session.replayScene(fitted);
    EXPECT_TRUE(fitted == design.picture);

    PixelGrid actual(WideW, WideH, Cell);
    design.session.replayScene(actual);
    EXPECT_TRUE(actual == wide.picture);
}

INSTANTIATE_TEST_SUITE_P(History, SceneReplay, ::testing::ValuesIn(Histories),
                         [](const auto& info) { return info.param.name; });

// The switch must not leave the goblin behind: he stands at the question in either view.
TEST(SceneReplayOfTheGoblin, TheGoblinStandsInTheFittedPictureOfAWideGame) {
    Game wide(WideW, WideH);
    wide.play(toTheChoice());
    PixelGrid fitted(DesignW, DesignH, Cell);
    wide.session.replayScene(fitted);
    EXPECT_GT(countOf(fitted, Palette::GoblinGreen), 0);
}

// Without a seed every reseed reads the clock; the replay reads the same readings back, so the
// flames and the hoard come back exactly, and the game goes on unaffected.
TEST(SceneReplayWithoutASeed, RepaintsTheSameFlamesAndHoard) {
    Game game(DesignW, DesignH, std::nullopt);
    game.play(toTheChoice({Action::FlameBreath}));
    PixelGrid again(DesignW, DesignH, Cell);
    game.session.replayScene(again);
    EXPECT_TRUE(again == game.picture);

    game.play({Action::TryAnotherChoice, Action::FireBall});
    game.session.replayScene(again);
    EXPECT_TRUE(again == game.picture);
}
