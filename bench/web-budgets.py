#!/usr/bin/python3
"""The web page against its budgets, measured in headless Chromium; prints a table.

  the WebAssembly's size                 at most 168,500 bytes (the synthesiser's 20 kB included)
  brumox.html's size                     at most 165,000 bytes
  navigation start to the first click    at most 300 ms (median of 5 loads from disk)
  each picture of the default tour       its nominal duration within 3% (0.5 s and longer),
    at speed 1, real against nominal     or within one display frame (shorter ones)
  presents per display frame             at most one
  console errors through the tour        none

Needs the page built (scripts/web --build-only); BRUMOX_WEB and BRUMOX_PIXELS as for the
browser tests. Exits with status 1 when a budget is missed.
"""

import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from browser import (  # noqa: E402
    DEFAULT_TOUR, FRAME_INTERVAL, SINGLE_FILE, SITE, Browser, desktop_pictures, steps)

WASM_BUDGET = 168_500
SIZE_BUDGET = 165_000
READY_BUDGET_MS = 300
LOADS = 5
LONG_PICTURE_MS = 500
LONG_TOLERANCE = 0.03

# Notes when the page takes clicks, in ms since navigation start, from before its first script.
READY_WATCH = """
new MutationObserver((changes, observer) => {
  if (document.body && document.body.dataset.ready === "true") {
    window.brumoxReadyAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {attributes: true, subtree: true, attributeFilter: ["data-ready"]});
"""


def main():
    rows = []

    def row(what, measured, budget, ok):
        rows.append((what, measured, budget, "ok" if ok else "MISSED"))

    # The site's copy is the one the single file carries packed.
    wasm = (SITE / "brumox.wasm").stat().st_size
    row("WebAssembly size", f"{wasm:,} bytes", f"{WASM_BUDGET:,} bytes", wasm <= WASM_BUDGET)
    size = SINGLE_FILE.stat().st_size
    row("brumox.html size", f"{size:,} bytes", f"{SIZE_BUDGET:,} bytes", size <= SIZE_BUDGET)

    browser = Browser()
    try:
        browser.cdp("Page.addScriptToEvaluateOnNewDocument", source=READY_WATCH)
        loads = []
        for _ in range(LOADS):
            browser.open(SINGLE_FILE.as_uri() + "?seed=3", 1024, 720)
            loads.append(browser.js("return window.brumoxReadyAt;"))
        ready = statistics.median(loads)
        row(f"navigation to first click (median of {LOADS})",
            f"{ready:.0f} ms ({', '.join(f'{t:.0f}' for t in loads)})",
            f"{READY_BUDGET_MS} ms", ready <= READY_BUDGET_MS)

        frame = browser.js_async(FRAME_INTERVAL)
        nominal = [meta["nominalNs"] / 1e6
                   for meta, _ in desktop_pictures((1024, 720), "fit", tour=DEFAULT_TOUR)[1:]]
        browser.severe_console()
        for step in steps(DEFAULT_TOUR):
            browser.play(step)
        stats = browser.stats()
        for index, (step, real, planned) in enumerate(
                zip(stats["performed"], stats["durations"], nominal), start=1):
            if planned >= LONG_PICTURE_MS:
                allowed, budget = planned * LONG_TOLERANCE, f"±{LONG_TOLERANCE:.0%}"
            else:
                allowed, budget = frame, f"±{frame:.1f} ms"
            row(f"step {index:2} {step:7} nominal {planned:7.1f} ms", f"{real:7.1f} ms "
                f"({real - planned:+.1f})", budget, abs(real - planned) <= allowed)
        row("presents per display frame",
            f"{stats['presents']} presents in {stats['frames']} frames, "
            f"{stats['framesWithTwoPresents']} frames with two or more", "at most one",
            stats["framesWithTwoPresents"] == 0)
        errors = browser.severe_console()
        row("console errors through the tour", str(len(errors)), "none", not errors)
        for error in errors:
            print("console:", error, file=sys.stderr)
    finally:
        browser.quit()

    widths = [max(len(str(r[i])) for r in rows + [("what", "measured", "budget", "")])
              for i in range(4)]
    for line in [("what", "measured", "budget", ""), *rows]:
        print("  ".join(str(cell).ljust(width) for cell, width in zip(line, widths)).rstrip())
    print(f"(display frame {frame:.1f} ms)")
    return 0 if all(r[3] == "ok" for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
