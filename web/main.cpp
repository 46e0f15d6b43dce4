// The game's entry points for its page: the page calls these, the game calls the page back
// through the EM_JS functions of PageControls, PagePresenter and BrowserHost.
#include "game/Layout.h"
#include "game/Seed.h"
#include "game/SpeedSteps.h"
#include "tour/Json.h"
#include "tour/PageLink.h"
#include "web/PageDescription.h"
#include "web/WebGame.h"

#include <emscripten.h>

#include <memory>
#include <string>
#include <variant>

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

// What the page's address asks for, the tour rehearsed at the page's size and view: {"seed":
// "N" or null (as text: 64 bits), "speed", "view" ("fit", "actual" or null), "steps" (action
// indices), "notices"}.
EMSCRIPTEN_KEEPALIVE const char* brumox_link(const char* query, int width, int height, int fit,
                                             int coarse) {
    const PageLink link = parsePageLink(query, {width, height}, viewOf(fit), pointerOf(coarse));
    std::string out = "{\"seed\":";
    out += link.seed ? jsonString(std::to_string(*link.seed)) : "null";
    out += ",\"speed\":" + (link.speed ? jsonNumber(*link.speed) : std::string("null"));
    out += ",\"view\":";
    out += link.view ? (*link.view == ViewMode::Fit ? "\"fit\"" : "\"actual\"") : "null";
    out += ",\"steps\":[";
    for (const TourStep& step : link.tour)
        out += (out.back() == '[' ? "" : ",") +
               std::to_string(static_cast<int>(std::get<Action>(step)));
    out += "],\"notices\":[";
    for (const std::string& notice : link.notices)
        out += (out.back() == '[' ? "" : ",") + jsonString(notice);
    return answer(out + "]}");
}

// Starts the game on a blank picture; `seed` is empty for a new hoard every time.
EMSCRIPTEN_KEEPALIVE void brumox_start(const char* seed, int width, int height, double scale) {
    game = std::make_unique<WebGame>(parseSeed(seed), PixelSize{width, height}, scale);
}

// 1 when the action played (or was not on offer), 0 after a run-time error.
EMSCRIPTEN_KEEPALIVE int brumox_perform(int index) {
    const auto action = actionOf(index);
    return action ? game->perform(*action) : 1;
}

// Plays the action to its end at once, without pacing or yielding: a link's opening steps.
EMSCRIPTEN_KEEPALIVE int brumox_playNow(int index) {
    const auto action = actionOf(index);
    return action ? game->playNow(*action) : 1;
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
