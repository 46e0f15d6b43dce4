#pragma once

#include "pacing/Timeline.h"
#include "stage/Coroutine.h"

// What a painter awaits after each primitive and pause: it goes straight on, unless whoever
// watches the timeline asked for the picture to stop there (to be shown, or to wait for the
// clock).
class Hold {
  public:
    explicit Hold(Timeline& timeline) : timeline_(timeline) {}
    bool await_ready() const noexcept { return !timeline_.takeStop(); }
    void await_suspend(coro::coroutine_handle<>) const noexcept {}
    void await_resume() const noexcept {}

  private:
    Timeline& timeline_;
};
