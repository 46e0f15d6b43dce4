#include "web/WebFrameLoop.h"

#include "tour/PageText.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, pageWantFrames, (), { Module.page.wantFrames(); });
EM_JS(void, pagePlayed, (int action, double ms), { Module.page.played(action, ms); });
EM_JS(void, pageFailed, (const char* message), { Module.page.failed(UTF8ToString(message)); });
// clang-format on

} // namespace

WebFrameLoop::WebFrameLoop(std::optional<std::uint64_t> seed, PixelSize client, double scale)
    : runner_(*this, controls_, *this, seed, client, scale) {
    runner_.canvas().markAllDirty();
    pageWantFrames();
}

void WebFrameLoop::play(Action action) {
    // Held by the page's own number, so that the picture it starts is known by its action.
    if (runner_.busy())
        runner_.hold(static_cast<std::uint32_t>(action));
    else
        start(action);
}

void WebFrameLoop::start(Action action) {
    // Set first: the runner may play a short picture to its end before it returns.
    playing_ = action;
    beganNs_ = frameNs_;
    runner_.play(action);
}

bool WebFrameLoop::advance(std::int64_t nowNs) {
    frameNs_ = nowNs;
    // Begun outside a frame, a picture counts from the frame after.
    if (runner_.painting() && !beganNs_)
        beganNs_ = nowNs;
    presenter_.present(runner_.canvas(), runner_.advance(nowNs));
    frameNs_.reset();
    return runner_.busy();
}

void WebFrameLoop::showPicture(PixelSize client, double scale) {
    RasterCanvas& canvas = runner_.canvas();
    if (client == canvas.clientSize() && scale == canvas.scale())
        return;
    canvas.resize(client, scale);
    canvas.markAllDirty();
    pageWantFrames();
}

void WebFrameLoop::repaintScene(double scale) {
    runner_.repaintScene(scale);
    pageWantFrames();
}

void WebFrameLoop::framesWanted() {
    pageWantFrames();
}

void WebFrameLoop::replayHeld(std::uint32_t item) {
    start(static_cast<Action>(item));
}

void WebFrameLoop::played() {
    const double ms = frameNs_ && beganNs_ ? static_cast<double>(*frameNs_ - *beganNs_) / 1e6 : 0;
    beganNs_.reset();
    pagePlayed(static_cast<int>(playing_), ms);
}

void WebFrameLoop::failed(const Failure& failure) {
    error_ = pageText(failure);
    pageFailed(error_.c_str());
}

std::int64_t WebFrameLoop::nowNs() const {
    return static_cast<std::int64_t>(emscripten_get_now() * 1e6);
}
