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

const std::string gap(40, ' ');

} // namespace

const std::string Story::Title = "BRUMOX SIMULATOR" + gap + "Best viewed on a" + gap +
                                 "1024 x 768 display," + gap + "ya big lug!";
const std::string Story::Question = "Well? Whatcha gonna do?";

Story::Story(Stage& stage, Controls& controls) : stage_(stage), controls_(controls) {}

void Story::perform(Action action) {
    switch (action) {
    case Action::Advance:
        return advance();
    case Action::FireBall:
        return fireBall();
    case Action::FlameBreath:
        return flameBreath();
    case Action::EatHim:
        return eatHim();
    case Action::TryAnotherChoice:
        return tryAnotherChoice();
    case Action::StartOver:
        return startOver();
    }
}

void Story::advance() {
    // Clicks past the last screen only count, so the counter stops at its top instead of
    // overflowing; nothing on screen depends on how far it got.
    if (storyStep_ < std::numeric_limits<std::int16_t>::max())
        storyStep_ = add16(storyStep_, 1);

    switch (storyStep_) {
    case 1:
        controls_.setCaption(Title);
        break;
    case 2: {
        controls_.setCaption(" ");
        std::int16_t radius = 1;
        drawBody(stage_, radius);
        drawEye(stage_, 5500, 3000, 500);
        drawBrow(stage_, 5450, 2400, 6500, 3200);
        drawTail(stage_, 0, 4500, 2000, 2500);
        drawSpikes(stage_, 5500, 2000, 4000, 500);
        drawFloor(stage_, 120, 50, 0);
        drawGoldHoard(stage_, 50);
        break;
    }
    case 3:
        controls_.setCaption(
            "So you're a brumox, just chillin' in your dungeon, guarding your stash "
            "of gold.");
        break;
    case 4:
        controls_.setCaption("Yeah, yeah, you look more like a Sesame Street character than a "
                             "brumox...But rest assured, you still can kick major bootie.");
        break;
    case 5:
        controls_.setCaption(
            "Anyway, like I said, you were chillin' in your dungeon, minding your own "
            "business...");
        break;
    case 6:
        controls_.setCaption(
            "When SUDDENLY a POORLY DRAWN GOBLIN pops out of nowhere, tyring to steal "
            "your stash!");
        drawGoblin(stage_, 600, 700);
        break;
    case 7:
        controls_.setCaption(Question);
        offerChoice();
        break;
    default:
        break;
    }
}

Scene Story::scene() const {
    if (aftermath_)
        return *aftermath_;
    if (storyStep_ >= 6)
        return Scene::Goblin;
    if (storyStep_ >= 2)
        return Scene::Lair;
    return storyStep_ == 1 ? Scene::Title : Scene::Blank;
}

template <typename Attack>
void Story::playAttack(Attack attack, Scene result, const std::string& message) {
    controls_.setButtonVisible(Action::EatHim, false);
    controls_.setButtonVisible(Action::FireBall, false);
    controls_.setButtonVisible(Action::FlameBreath, false);
    controls_.setLabelVisible(false);
    attack();
    aftermath_ = result;
    controls_.setLabelVisible(true);
    controls_.setCaption(message);
    controls_.setButtonVisible(Action::TryAnotherChoice, true);
    controls_.setButtonVisible(Action::StartOver, true);
}

void Story::fireBall() {
    playAttack(
        [this] {
            double radius = 5.0;
            shootFireBall(stage_, radius);
        },
        Scene::Blasted, "Buh-Bye.");
}

void Story::eatHim() {
    playAttack(
        [this] {
            devourGoblin(stage_, 4000, 4000);
            chewGoblin(stage_);
        },
        Scene::Eaten, "Yummy...");
}

void Story::flameBreath() {
    playAttack(
        [this] {
            breatheFlame(stage_, 4300, 4200);
            drawCharredGoblin(stage_, 600, 700);
        },
        Scene::Burnt, "Ooh that burns...");
}

void Story::startOver() {
    controls_.setCaption(" ");
    stage_.canvas.clear();
    storyStep_ = 0;
    aftermath_.reset();
    controls_.setButtonVisible(Action::TryAnotherChoice, false);
    controls_.setButtonVisible(Action::StartOver, false);
}

void Story::tryAnotherChoice() {
    controls_.setCaption(" ");
    stage_.canvas.clear();
    storyStep_ = 7;
    aftermath_.reset();
    controls_.setButtonVisible(Action::TryAnotherChoice, false);
    controls_.setButtonVisible(Action::StartOver, false);
    redrawBeast(stage_);
    drawFloor(stage_, 120, 50, 0);
    drawGoldHoard(stage_, 50);
    drawGoblin(stage_, 600, 700);
    controls_.setCaption(Question);
    offerChoice();
}

void Story::offerChoice() {
    controls_.setButtonVisible(Action::EatHim, true);
    controls_.setButtonVisible(Action::FireBall, true);
    controls_.setButtonVisible(Action::FlameBreath, true);
}
