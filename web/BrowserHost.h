#pragma once

#include "pacing/FramePacer.h"

// The browser's side of the pacer: its clock, and waits that yield to the browser instead of
// blocking it. The page's clock stands still while the tab is hidden, so that a picture resumes
// where it was instead of catching up at once.
class BrowserHost : public FramePacer::Host {
  public:
    std::int64_t nowNs() const override;
    // Yields to the browser for up to `ms` (the stack is unwound and rewound by ASYNCIFY).
    void sleep(int ms) override;
    void wake() override;
    // Yields for one turn of the browser's event loop: it handles the input waiting, and paints
    // if a frame is due. Waiting for a whole frame instead would hold a picture that fell one
    // frame behind to a frame for every primitive after, since each finds its frame overdue.
    void runPending() override;
};
