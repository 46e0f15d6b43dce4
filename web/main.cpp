// The game's entry points for its page: the page calls these, the game calls the page back
// through the EM_JS functions of PageControls, PagePresenter and BrowserHost.
#include "game/Layout.h"
#include "game/SpeedSteps.h"
#include "web/PageDescription.h"
#include "web/WebGame.h"

#include <emscripten.h>

#include <charconv>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::unique_ptr<WebGame> game;
// The last text handed to the page; valid until the next call.
std::string reply;

const char* answer(std::string text) {
    reply = std::move(text);
    return reply.c_str();
}

ViewMode viewOf(int fit) {
    return fit ? ViewMode::Fit : ViewMode::Actual;
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

EMSCRIPTEN_KEEPALIVE const char* brumox_layout(int width, int height, int fit, double ratio) {
    return answer(describeLayout(Layout({width, height}, viewOf(fit), ratio)));
}

// Starts the game on a blank picture; `seed` is empty for a new hoard every time.
EMSCRIPTEN_KEEPALIVE void brumox_start(const char* seed, int width, int height, double scale) {
    std::optional<std::uint64_t> fixed;
    std::uint64_t value = 0;
    const char* end = seed + std::strlen(seed);
    if (std::from_chars(seed, end, value).ptr == end && end != seed)
        fixed = value;
    game = std::make_unique<WebGame>(fixed, PixelSize{width, height}, scale);
}

// 1 when the action played (or was not on offer), 0 after a run-time error.
EMSCRIPTEN_KEEPALIVE int brumox_perform(int index) {
    const auto action = actionOf(index);
    return action ? game->perform(*action) : 1;
}

EMSCRIPTEN_KEEPALIVE int brumox_offers(int index) {
    const auto action = actionOf(index);
    return action && game->offers(*action);
}

EMSCRIPTEN_KEEPALIVE void brumox_showPicture(int width, int height, double scale) {
    game->showPicture({width, height}, scale);
}

EMSCRIPTEN_KEEPALIVE int brumox_repaintScene(double scale) {
    return game->repaintScene(scale);
}

EMSCRIPTEN_KEEPALIVE void brumox_present() {
    game->present();
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

EMSCRIPTEN_KEEPALIVE void brumox_setFrameInterval(double ms) {
    game->setFrameInterval(static_cast<std::int64_t>(ms * 1e6));
}

EMSCRIPTEN_KEEPALIVE int brumox_scene() {
    return static_cast<int>(game->story().scene());
}

EMSCRIPTEN_KEEPALIVE const char* brumox_error() {
    return game->error().c_str();
}
}

// TEMPORARY until the link parser lands.
extern "C" EMSCRIPTEN_KEEPALIVE const char* brumox_link(const char*, int, int, int, double) {
    return answer("{\"seed\":null,\"speed\":null,\"view\":null,\"steps\":[],\"notices\":[]}");
}
