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
    // Yields until the browser has shown a frame: it handles input and paints meanwhile.
    void runPending() override;
};
