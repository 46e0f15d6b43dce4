#include "web/WebGame.h"

#include <new>

WebGame::WebGame(std::optional<std::uint64_t> seed, PixelSize client, double scale)
    : canvas_(client, scale), presenter_(canvas_), pacer_(presenter_, host_),
      session_(canvas_, controls_, seed) {
    session_.timeline().setSync(&pacer_);
    presenter_.presentAll();
}

bool WebGame::perform(Action action) {
    if (!offers(action))
        return !halted();
    pacer_.start();
    try {
        session_.perform(action);
        pacer_.finish();
        return true;
    } catch (const std::exception& error) {
        return fail(nameOf(action).step, error);
    }
}

bool WebGame::playNow(Action action) {
    session_.timeline().setSync(nullptr);
    const bool played = perform(action);
    session_.timeline().setSync(&pacer_);
    return played;
}

void WebGame::showPicture(PixelSize client, double scale) {
    if (client == canvas_.clientSize() && scale == canvas_.scale())
        return;
    canvas_.resize(client, scale);
    presenter_.presentAll();
}

bool WebGame::repaintScene(double scale) {
    if (halted())
        return false;
    try {
        // Cleared first, so that the new scale has nothing to rebuild.
        canvas_.clear();
        canvas_.resize(canvas_.clientSize(), scale);
        canvas_.paintBatch([this](Canvas& canvas) { session_.replayScene(canvas); });
        presenter_.presentAll();
        return true;
    } catch (const std::exception& error) {
        // The new view's geometry is what the painters choked on.
        return fail("view", error);
    }
}

bool WebGame::fail(std::string_view step, const std::exception& error) {
    pacer_.stop();
    const bool outOfMemory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    error_ = "Run-time error in '" + std::string(step) +
             "': " + (outOfMemory ? "out of memory" : error.what());
    return false;
}
