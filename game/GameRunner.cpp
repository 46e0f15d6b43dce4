#include "game/GameRunner.h"

GameRunner::GameRunner(FrontEnd& frontEnd, Controls& controls, const FramePacer::Clock& workClock,
                       std::optional<std::uint64_t> seed, PixelSize client, double scale)
    : frontEnd_(frontEnd), canvas_(client, scale), session_(canvas_, controls, seed, cues_),
      pacer_(session_.timeline(), workClock) {
    session_.timeline().setSync(&pacer_);
}

void GameRunner::play(Action action) {
    if (halted_)
        return;
    // Taking held input, the input whose turn it is goes first, whatever is held behind it.
    if (painting() || (!held_.empty() && !takingHeld_)) {
        held_.emplace_back(action);
        return;
    }
    start(action);
}

void GameRunner::hold(std::uint32_t item) {
    if (!halted_)
        held_.emplace_back(item);
}

void GameRunner::start(Action action) {
    if (!session_.offers(action))
        return;
    // Held input taken by finish() stays as silent as the rest of it.
    if (!finishing_)
        cues_.setOpen(speed() > 0);
    playing_ = action;
    picture_ = session_.perform(action);
    anchored_ = false;
    // The input's own changes, up to its first primitive, happen as it comes: the caption, the
    // story step. The pace starts with the frame after.
    session_.timeline().requestStop();
    // Held input that is being taken goes on from there by itself.
    if (step() && !takingHeld_)
        afterPicture();
    frontEnd_.framesWanted();
}

PixelRect GameRunner::advance(std::int64_t nowNs) {
    pacer_.beginFrame(nowNs);
    while (!halted_ && busy()) {
        // A picture begins in the frame after its input, or in this one when held input starts
        // it.
        if (painting() && !anchored_) {
            pacer_.start(nowNs);
            anchored_ = true;
        }
        if (painting() && !step())
            break;
        afterPicture();
    }
    return canvas_.takeDirty();
}

bool GameRunner::step() {
    try {
        if (picture_.resume())
            return false;
    } catch (const std::exception& error) {
        fail(Failure::of(nameOf(playing_).step, error));
        return false;
    }
    picture_ = {};
    frontEnd_.played();
    return !halted_;
}

void GameRunner::afterPicture() {
    if (painting() || halted_)
        return;
    if (repaintScale_)
        repaintNow(*std::exchange(repaintScale_, std::nullopt));
    takeHeld();
}

void GameRunner::takeHeld() {
    takingHeld_ = true;
    while (!halted_ && !painting() && !held_.empty()) {
        const Held next = held_.front();
        held_.pop_front();
        if (const Action* action = std::get_if<Action>(&next))
            start(*action);
        else
            frontEnd_.replayHeld(std::get<std::uint32_t>(next));
    }
    takingHeld_ = false;
}

void GameRunner::finish() {
    Timeline& timeline = session_.timeline();
    const bool paced = timeline.sync() == &pacer_;
    if (paced)
        timeline.setSync(nullptr);
    // Heard only as a recording hears it: a link's steps, say, play before anyone listens.
    cues_.setOpen(!paced);
    finishing_ = true;
    // With no one asking for stops, each step plays the picture to its end.
    while (!halted_ && busy())
        if (!painting() || step())
            afterPicture();
    finishing_ = false;
    if (paced)
        timeline.setSync(&pacer_);
}

void GameRunner::stop() {
    cues_.hush();
    picture_ = {};
    held_.clear();
    repaintScale_.reset();
    halted_ = true;
}

void GameRunner::repaintScene(double scale) {
    if (halted_)
        return;
    if (painting())
        repaintScale_ = scale;
    else
        repaintNow(scale);
}

void GameRunner::repaintNow(double scale) {
    try {
        // Cleared first, so that the new scale has nothing to rebuild.
        canvas_.clear();
        canvas_.resize(canvas_.clientSize(), scale);
        canvas_.paintBatch([this](Canvas& canvas) { session_.replayScene(canvas); });
        canvas_.markAllDirty();
    } catch (const std::exception& error) {
        // The new view's geometry is what the painters choked on.
        fail(Failure::of("view", error));
    }
}

void GameRunner::setSpeed(double speed) {
    pacer_.setSpeed(speed);
    if (!finishing_)
        cues_.setOpen(speed > 0);
    if (speed <= 0)
        cues_.hush();
    else if (Speaker* speaker = cues_.speaker())
        speaker->setPace(speed);
}

void GameRunner::setSpeaker(Speaker* speaker) {
    cues_.hush();
    cues_.setSpeaker(speaker);
    if (speaker && speed() > 0)
        speaker->setPace(speed());
}

void GameRunner::setTimelineSync(Timeline::Sync* sync) {
    session_.timeline().setSync(sync ? sync : &pacer_);
}

void GameRunner::fail(Failure failure) {
    stop();
    frontEnd_.failed(failure);
}
