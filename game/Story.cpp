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
Painting drawLair(Stage& stage, std::int16_t bodyRadius) {
    co_await drawBeast(stage, bodyRadius);
    co_await drawFloor(stage);
    co_await drawGoldHoard(stage, 50);
}

} // namespace

const std::string Story::Title = "BRUMOX SIMULATOR" + gap + "Best viewed on a" + gap +
                                 "1024 x 768 display," + gap + "ya big lug!";
const std::string Story::Question = "Well? Whatcha gonna do?";

Story::Story(Stage& stage, Controls& controls, StoryState from)
    : stage_(stage), controls_(controls), state_(from) {}

Painting Story::perform(Action action) {
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
        startOver();
        break;
    }
    return {};
}

Painting Story::advance() {
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
        co_await drawLair(stage_, 1);
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
        co_await drawGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
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

void Story::beginAttack() {
    showChoice(false);
    controls_.setLabelVisible(false);
}

void Story::endAttack(Scene result, const std::string& message) {
    state_.aftermath = result;
    controls_.setLabelVisible(true);
    controls_.setCaption(message);
    controls_.setButtonVisible(Action::TryAnotherChoice, true);
    controls_.setButtonVisible(Action::StartOver, true);
}

Painting Story::fireBall() {
    beginAttack();
    co_await shootFireBall(stage_, 5.0);
    endAttack(Scene::Blasted, "Buh-Bye.");
}

Painting Story::eatHim() {
    beginAttack();
    co_await devourGoblin(stage_, MouthX, MouthY);
    co_await chewGoblin(stage_);
    endAttack(Scene::Eaten, "Yummy...");
}

Painting Story::flameBreath() {
    beginAttack();
    co_await breatheFlame(stage_, 4300, 4200);
    co_await drawCharredGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
    endAttack(Scene::Burnt, "Ooh that burns...");
}

void Story::startOver() {
    clearTo(0);
}

Painting Story::tryAnotherChoice() {
    clearTo(7);
    co_await drawLair(stage_, BodyRadius);
    co_await drawGoblin(stage_, GoblinHeadRadius, GoblinBodyRadius);
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
