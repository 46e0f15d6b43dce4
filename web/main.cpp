// The game's entry points for its page: the page calls these, the game calls the page back
// through the EM_JS functions of PageControls, PagePresenter and WebFrameLoop.
#include "game/Layout.h"
#include "game/Seed.h"
#include "game/SpeedSteps.h"
#include "web/PageDescription.h"
#include "web/WebFrameLoop.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>

namespace {

std::unique_ptr<WebFrameLoop> game;
// The last text handed to the page; valid until the next call.
std::string reply;
// The last samples handed to the page, at most a second of them; valid until the next call.
std::array<std::int16_t, Mixer::SampleRate> samples;

const char* answer(std::string text) {
    reply = std::move(text);
    return reply.c_str();
}

ViewMode viewOf(int fit) {
    return fit ? ViewMode::Fit : ViewMode::Actual;
}

Pointer pointerOf(int coarse) {
    return coarse ? Pointer::Coarse : Pointer::Fine;
}

std::optional<Action> actionOf(int index) {
    if (index < 0 || index >= static_cast<int>(ActionNames.size()))
        return std::nullopt;
    return ActionNames[static_cast<std::size_t>(index)].action;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* brumox_tables() {
    return answer(describeTables());
}

// The layout for the page's safe area, with the page's menu button of `menu` pixels a side.
EMSCRIPTEN_KEEPALIVE const char* brumox_layout(int width, int height, int fit, double ratio,
                                               int coarse, int menu) {
    return answer(describeLayout(
        Layout({width, height}, viewOf(fit), ratio, pointerOf(coarse), {menu, menu})));
}

// What the page's address asks for (describeLink), the tour rehearsed at the page's size and
// view.
EMSCRIPTEN_KEEPALIVE const char* brumox_link(const char* query, int width, int height, int fit,
                                             int coarse) {
    return answer(
        describeLink(parsePageLink(query, {width, height}, viewOf(fit), pointerOf(coarse))));
}

// Starts the game on a blank picture; `seed` is empty for a new hoard every time.
EMSCRIPTEN_KEEPALIVE void brumox_start(const char* seed, int width, int height, double scale) {
    game = std::make_unique<WebFrameLoop>(parseSeed(seed), PixelSize{width, height}, scale);
}

// Story input, played now or in its turn; 0 once a run-time error has halted the game.
EMSCRIPTEN_KEEPALIVE int brumox_play(int index) {
    if (const auto action = actionOf(index))
        game->play(*action);
    return !game->halted();
}

// A display frame at `nowMs` of the page's clock, which stands still while the page is hidden:
// shows what it painted; 1 while more frames are wanted.
EMSCRIPTEN_KEEPALIVE int brumox_advance(double nowMs) {
    return game->advance(static_cast<std::int64_t>(nowMs * 1e6));
}

// Plays what is under way and held to the end at once: a link's opening steps.
EMSCRIPTEN_KEEPALIVE void brumox_finish() {
    game->finish();
}

EMSCRIPTEN_KEEPALIVE int brumox_offers(int index) {
    const auto action = actionOf(index);
    return action && game->offers(*action);
}

EMSCRIPTEN_KEEPALIVE int brumox_busy() {
    return game->busy();
}

EMSCRIPTEN_KEEPALIVE int brumox_held() {
    return static_cast<int>(game->heldCount());
}

EMSCRIPTEN_KEEPALIVE void brumox_showPicture(int width, int height, double scale) {
    game->showPicture({width, height}, scale);
}

// The scene painted again for a new view, now or as the picture under way ends.
EMSCRIPTEN_KEEPALIVE void brumox_repaintScene(double scale) {
    game->repaintScene(scale);
}

EMSCRIPTEN_KEEPALIVE void brumox_setSpeed(double speed) {
    game->setSpeed(speed);
}

// The next speed step up (direction > 0) or down.
EMSCRIPTEN_KEEPALIVE double brumox_stepSpeed(int direction) {
    game->setSpeed(direction > 0 ? fasterSpeed(game->speed()) : slowerSpeed(game->speed()));
    return game->speed();
}

EMSCRIPTEN_KEEPALIVE const char* brumox_speedName() {
    return answer(speedName(game->speed()));
}

// The player's first click, tap or key: the pictures are heard from now on.
EMSCRIPTEN_KEEPALIVE void brumox_listen() {
    game->listen();
}

// The next `count` samples of the sound (48 kHz mono), at most a second of them.
EMSCRIPTEN_KEEPALIVE const std::int16_t* brumox_renderSound(int count) {
    game->sound().render(std::span(samples).first(
        static_cast<std::size_t>(std::clamp(count, 0, Mixer::SampleRate))));
    return samples.data();
}

// Whether rendering would give only silence.
EMSCRIPTEN_KEEPALIVE int brumox_soundQuiet() {
    return game->sound().quiet();
}

EMSCRIPTEN_KEEPALIVE void brumox_setMuted(int muted) {
    game->sound().setMuted(muted != 0);
}

EMSCRIPTEN_KEEPALIVE int brumox_scene() {
    return static_cast<int>(game->story().scene());
}

EMSCRIPTEN_KEEPALIVE const char* brumox_error() {
    return game->error().c_str();
}
}
