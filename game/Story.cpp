#include "game/Story.h"

#include "attacks/Chewing.h"
#include "attacks/Devour.h"
#include "attacks/FireBall.h"
#include "attacks/FlameBreath.h"
#include "scene/Beast.h"
#include "scene/FloorAndHoard.h"
#include "scene/Goblin.h"
#include "stage/Numeric.h"

#include <limits>

namespace {

using Button = GameView::Button;

const std::string gap(40, ' ');

} // namespace

const std::string Story::Title = "BRUMOX SIMULATOR" + gap + "Best viewed on a" + gap +
                                 "1024 x 768 display," + gap + "ya big lug!";
const std::string Story::Question = "Well? Whatcha gonna do?";

Story::Story(Stage& stage) : stage_(stage) {}

void Story::Form_Load() {
    storyStep_ = 0;
}

void Story::Form_Click() {
    // Clicks past the last screen only count, so the counter stops at its top instead of
    // overflowing; nothing on screen depends on how far it got.
    if (storyStep_ < std::numeric_limits<std::int16_t>::max())
        storyStep_ = add16(storyStep_, 1);

    GameView& view = stage_.view;
    switch (storyStep_) {
    case 1:
        view.SetCaption(Title);
        break;
    case 2: {
        view.SetCaption(" ");
        std::int16_t radius = 1;
        DrawBody(stage_, radius);
        DrawEye(stage_, 5500, 3000, 500);
        DrawBrow(stage_, 5450, 2400, 6500, 3200);
        DrawTail(stage_, 0, 4500, 2000, 2500);
        DrawSpikes(stage_, 5500, 2000, 4000, 500);
        DrawFloor(stage_, 120, 50, 0);
        DrawGoldHoard(stage_, 50);
        break;
    }
    case 3:
        view.SetCaption("So you're a brumox, just chillin' in your dungeon, guarding your stash "
                        "of gold.");
        break;
    case 4:
        view.SetCaption("Yeah, yeah, you look more like a Sesame Street character than a "
                        "brumox...But rest assured, you still can kick major bootie.");
        break;
    case 5:
        view.SetCaption("Anyway, like I said, you were chillin' in your dungeon, minding your own "
                        "business...");
        break;
    case 6:
        view.SetCaption("When SUDDENLY a POORLY DRAWN GOBLIN pops out of nowhere, tyring to steal "
                        "your stash!");
        DrawGoblin(stage_, 600, 700);
        break;
    case 7:
        view.SetCaption(Question);
        offerChoice();
        break;
    default:
        break;
    }
}

template <typename Attack> void Story::playAttack(Attack attack, const std::string& message) {
    GameView& view = stage_.view;
    view.SetButtonVisible(Button::Eat, false);
    view.SetButtonVisible(Button::FireBall, false);
    view.SetButtonVisible(Button::Flame, false);
    view.SetLabelVisible(false);
    attack();
    view.SetLabelVisible(true);
    view.SetCaption(message);
    view.SetButtonVisible(Button::TryAgain, true);
    view.SetButtonVisible(Button::Restart, true);
}

void Story::cmdFireBall_Click() {
    playAttack(
        [this] {
            double radius = 5.0;
            ShootFireBall(stage_, radius);
        },
        "Buh-Bye.");
}

void Story::cmdEat_Click() {
    playAttack(
        [this] {
            DevourGoblin(stage_, 4000, 4000);
            ChewGoblin(stage_);
        },
        "Yummy...");
}

void Story::cmdFlame_Click() {
    playAttack(
        [this] {
            BreatheFlame(stage_, 4300, 4200);
            DrawCharredGoblin(stage_, 600, 700);
        },
        "Ooh that burns...");
}

void Story::cmdRestart_Click() {
    stage_.view.SetCaption(" ");
    stage_.canvas.Cls();
    storyStep_ = 0;
    stage_.view.SetButtonVisible(Button::TryAgain, false);
    stage_.view.SetButtonVisible(Button::Restart, false);
}

void Story::cmdTryAgain_Click() {
    GameView& view = stage_.view;
    view.SetCaption(" ");
    stage_.canvas.Cls();
    storyStep_ = 7;
    view.SetButtonVisible(Button::TryAgain, false);
    view.SetButtonVisible(Button::Restart, false);
    RedrawBeast(stage_);
    DrawFloor(stage_, 120, 50, 0);
    DrawGoldHoard(stage_, 50);
    DrawGoblin(stage_, 600, 700);
    view.SetCaption(" ");
    view.SetCaption(Question);
    offerChoice();
}

void Story::offerChoice() {
    stage_.view.SetButtonVisible(Button::Eat, true);
    stage_.view.SetButtonVisible(Button::FireBall, true);
    stage_.view.SetButtonVisible(Button::Flame, true);
}
