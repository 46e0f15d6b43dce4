#include "game/Session.h"

namespace {

// Every clock reading goes into the scene log, so that a replay reseeds as the game did.
RandomSource randomFor(std::optional<std::uint64_t> seed, SceneLog& log) {
    // A clock that never moves makes every reseed repeatable.
    const RandomSource::Clock clock =
        seed ? RandomSource::Clock([] { return std::uint64_t{0}; }) : RandomSource::systemClock;
    return RandomSource(seed.value_or(RandomSource::systemClock()), [clock, &log] {
        const std::uint64_t reading = clock();
        log.noteClockReading(reading);
        return reading;
    });
}

} // namespace

void Session::ShownButtons::setButtonVisible(Action button, bool visible) {
    shown_[static_cast<std::size_t>(button)] = visible;
    controls_.setButtonVisible(button, visible);
}

Session::Session(Canvas& surface, Controls& controls, std::optional<std::uint64_t> seed,
                 Sound& sound, Tempo tempo)
    : controls_(controls), timeline_(tempo), log_({}), watch_(surface, log_),
      paced_(watch_, timeline_),
      random_(randomFor(seed, log_)), stage_{paced_, random_, timeline_, controls_, sound},
      story_(stage_, controls_) {
    // Where the game starts is known once the random source is.
    log_ = SceneLog(now());
}

void Session::SceneWatch::line(float x1, float y1, float x2, float y2, Color colour) {
    ++marks_;
    PassThroughCanvas::line(x1, y1, x2, y2, colour);
}

void Session::SceneWatch::drawShape(const CircleShape& shape) {
    ++marks_;
    PassThroughCanvas::drawShape(shape);
}

void Session::SceneWatch::clear() {
    ++marks_;
    log_.cleared();
    PassThroughCanvas::clear();
}

SceneLog::Start Session::now() const {
    return {story_.state(), random_.position(), watch_.fillColor()};
}

Painting Session::perform(Action action) {
    timeline_.restart();
    const SceneLog::Start before = now();
    const std::uint64_t marks = watch_.marks();
    log_.beginAction(action, before);
    co_await story_.perform(action);
    // Clicks past the last screen change nothing, and must not pile up in the log.
    if (watch_.marks() == marks && story_.state() == before.story &&
        random_.position() == before.randomPosition)
        log_.forgetAction();
}

bool Session::offers(Action action) const {
    return !hasButton(action) || controls_.shown(action);
}
