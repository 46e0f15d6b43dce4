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

// The beast with its body growing from bodyRadius, on its floor beside its hoard.
void drawLair(Stage& stage, std::int16_t bodyRadius) {
    drawBeast(stage, bodyRadius);
    drawFloor(stage);
    drawGoldHoard(stage, 50);
}

} // namespace

const std::string Story::Title = "BRUMOX SIMULATOR" + gap + "Best viewed on a" + gap +
                                 "1024 x 768 display," + gap + "ya big lug!";
const std::string Story::Question = "Well? Whatcha gonna do?";

Story::Story(Stage& stage, Controls& controls, StoryState from)
    : stage_(stage), controls_(controls), state_(from) {}

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
    if (state_.storyStep < std::numeric_limits<std::int16_t>::max())
        state_.storyStep = add16(state_.storyStep, 1);

    switch (state_.storyStep) {
    case 1:
        controls_.setCaption(Title);
        break;
    case 2:
        controls_.setCaption(" ");
        drawLair(stage_, 1);
        break;
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
        drawGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
        break;
    case 7:
        controls_.setCaption(Question);
        showChoice(true);
        break;
    default:
        break;
    }
}

Scene Story::scene() const {
    if (state_.aftermath)
        return *state_.aftermath;
    if (state_.storyStep >= 6)
        return Scene::Goblin;
    if (state_.storyStep >= 2)
        return Scene::Lair;
    return state_.storyStep == 1 ? Scene::Title : Scene::Blank;
}

template <typename Attack>
void Story::playAttack(Attack attack, Scene result, const std::string& message) {
    showChoice(false);
    controls_.setLabelVisible(false);
    attack();
    state_.aftermath = result;
    controls_.setLabelVisible(true);
    controls_.setCaption(message);
    controls_.setButtonVisible(Action::TryAnotherChoice, true);
    controls_.setButtonVisible(Action::StartOver, true);
}

void Story::fireBall() {
    playAttack([this] { shootFireBall(stage_, 5.0); }, Scene::Blasted, "Buh-Bye.");
}

void Story::eatHim() {
    playAttack(
        [this] {
            devourGoblin(stage_, MouthX, MouthY);
            chewGoblin(stage_);
        },
        Scene::Eaten, "Yummy...");
}

void Story::flameBreath() {
    playAttack(
        [this] {
            breatheFlame(stage_, 4300, 4200);
            drawCharredGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
        },
        Scene::Burnt, "Ooh that burns...");
}

void Story::startOver() {
    clearTo(0);
}

void Story::tryAnotherChoice() {
    clearTo(7);
    drawLair(stage_, BodyRadius);
    drawGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
    controls_.setCaption(Question);
    showChoice(true);
}

void Story::clearTo(std::int16_t storyStep) {
    controls_.setCaption(" ");
    stage_.canvas.clear();
    state_.storyStep = storyStep;
    state_.aftermath.reset();
    controls_.setButtonVisible(Action::TryAnotherChoice, false);
    controls_.setButtonVisible(Action::StartOver, false);
}

void Story::showChoice(bool shown) {
    controls_.setButtonVisible(Action::EatHim, shown);
    controls_.setButtonVisible(Action::FireBall, shown);
    controls_.setButtonVisible(Action::FlameBreath, shown);
}
