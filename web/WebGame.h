#pragma once

#include "canvas/RasterCanvas.h"
#include "game/Session.h"
#include "pacing/FramePacer.h"
#include "web/BrowserHost.h"
#include "web/PageControls.h"
#include "web/PagePresenter.h"

#include <cstdint>
#include <optional>
#include <string>

// The game in a browser page: the session painting on the core's canvas, paced by the same
// rules as the desktop, yielding to the browser while it waits. The page holds story input back
// while an action plays and hands it over in turn; what the page does at once (a resize, a new
// speed) may arrive while an action is suspended in a wait, as on the desktop.
class WebGame {
  public:
    WebGame(std::optional<std::uint64_t> seed, PixelSize client, double scale);

    // Plays the action to the end of its picture; false after a run-time error (see error()),
    // after which nothing plays any more.
    bool perform(Action action);
    // The same, at once, neither pacing nor yielding to the browser.
    bool playNow(Action action);
    bool offers(Action action) const { return !halted() && session_.offers(action); }
    bool halted() const { return pacer_.stopped(); }
    const std::string& error() const { return error_; }

    // The painters follow a new client area at once; a new scale rebuilds the picture sharp.
    void showPicture(PixelSize client, double scale);
    // Paints the scene again for the canvas's client area and scale, as a game played there
    // from the start would show it now. Only between actions.
    bool repaintScene(double scale);
    // Copies what is left to the page (the page calls it on its next frame).
    void present() { presenter_.present(); }

    void setSpeed(double speed) { pacer_.setSpeed(speed); }
    double speed() const { return pacer_.speed(); }
    void setFrameInterval(std::int64_t ns) { pacer_.setFrameInterval(ns); }

    const Story& story() const { return session_.story(); }
    const RasterCanvas& canvas() const { return canvas_; }

  private:
    bool fail(std::string_view step, const std::exception& error);

    RasterCanvas canvas_;
    PageControls controls_;
    PagePresenter presenter_;
    BrowserHost host_;
    FramePacer pacer_;
    Session session_;
    std::string error_;
};
