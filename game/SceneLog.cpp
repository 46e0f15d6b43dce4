#include "game/SceneLog.h"

#include "game/NoControls.h"
#include "pacing/Timeline.h"
#include "stage/RandomSource.h"
#include "stage/Silence.h"
#include "stage/Stage.h"

void SceneLog::beginAction(Action action, const Start& before) {
    actionStart_ = before;
    actionReadings_ = readings_.size();
    actions_.push_back(action);
}

void SceneLog::cleared() {
    start_ = actionStart_;
    actions_.erase(actions_.begin(), actions_.end() - 1);
    readings_.erase(readings_.begin(),
                    readings_.begin() + static_cast<std::ptrdiff_t>(actionReadings_));
    actionReadings_ = 0;
}

void SceneLog::forgetAction() {
    actions_.pop_back();
    readings_.resize(actionReadings_);
}

void SceneLog::replay(Canvas& target) const {
    std::size_t read = 0;
    RandomSource random = RandomSource::resumedAt(start_.randomPosition, [this, &read] {
        return read < readings_.size() ? readings_[read++] : std::uint64_t{0};
    });
    Timeline unpaced; // nothing waits on it
    NoControls controls;
    Stage stage{target, random, unpaced, controls, Silence::shared()};
    Story story(stage, controls, start_.story);
    target.clear();
    target.setFillColor(start_.fill);
    for (const Action action : actions_)
        story.perform(action).finish();
}
