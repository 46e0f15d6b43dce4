#include "game/Session.h"

namespace {

RandomSource randomFor(std::optional<std::uint64_t> seed) {
    // A clock that never moves makes every reseed repeatable.
    if (seed)
        return RandomSource(*seed, [] { return std::uint64_t{0}; });
    return RandomSource();
}

} // namespace

void Session::ShownButtons::setButtonVisible(Action button, bool visible) {
    shown_[static_cast<std::size_t>(button)] = visible;
    controls_.setButtonVisible(button, visible);
}

Session::Session(Canvas& surface, Controls& controls, std::optional<std::uint64_t> seed,
                 Tempo tempo)
    : controls_(controls), timeline_(tempo), paced_(surface, timeline_),
      random_(randomFor(seed)), stage_{paced_, random_, timeline_, controls_},
      story_(stage_, controls_) {}

void Session::perform(Action action) {
    timeline_.restart();
    story_.perform(action);
}

bool Session::offers(Action action) const {
    return !hasButton(action) || controls_.shown(action);
}
