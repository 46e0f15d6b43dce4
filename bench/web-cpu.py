#!/usr/bin/python3
"""Two builds of the web page against each other, in headless Chromium; prints tables.

  CPU per wall-clock second   the renderer's main-thread busy time (the DevTools Performance
                              domain's TaskDuration) while the default tour plays live at
                              speed 1, divided by the tour's wall time; runs alternate between
                              the builds and the medians are compared
  click to first present      for the AFTER page: from a click that starts a picture to the
                              first putImageData after it, against the display's frame
                              interval (one frame, plus 4 ms for scheduling)

Usage: bench/web-cpu.py BEFORE_DIR AFTER_DIR, each folder holding a brumox.html (e.g. an older
build's and build/web). Exits with status 1 when the after page uses more than 5% more CPU per
second than the before one, or a click's first present misses its frame.
"""

import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from browser import DEFAULT_TOUR, FRAME_INTERVAL, Browser, steps, wait_until  # noqa: E402

RUNS = 2
NOISE = 0.05
SLACK_MS = 4
# The tour's clicks that start a picture, by their place in it.
TIMED_STEPS = {1: "lair", 5: "goblin", 7: "fire ball", 9: "flame breath", 11: "eat him"}

# Notes the time of each click, in the capture phase so before the page's own handlers, and of
# the first present after it (none for a click that only changes the caption).
CLICK_WATCH = """
const clicks = window.brumoxClicks = [];
addEventListener("click", () => clicks.push({at: performance.now(), present: null}), true);
const put = CanvasRenderingContext2D.prototype.putImageData;
CanvasRenderingContext2D.prototype.putImageData = function (...args) {
  const last = clicks[clicks.length - 1];
  if (last && last.present === null) last.present = performance.now();
  return put.apply(this, args);
};
"""


# Every picture played and on the canvas; the older page keeps its held input in a list.
SETTLED = """
const page = window.brumoxPage;
const held = typeof page.held === "function" ? page.held() : page.held.length;
return page.stats.performed.length > arguments[0] && !page.isBusy() && held === 0;
"""


def play(browser, step):
    """Plays one step with the mouse and waits for its picture to end, on either page."""
    before = len(browser.performed())
    browser.press(step)
    wait_until(lambda: browser.js(SETTLED, before), what=f"'{step}' to play")
    browser.frames(2)


def metrics(browser):
    return {m["name"]: m["value"] for m in browser.cdp("Performance.getMetrics")["metrics"]}


def run(page):
    """Plays the tour once on `page`: (the metrics' growth, frame ms, click latencies ms)."""
    browser = Browser()
    try:
        browser.cdp("Page.addScriptToEvaluateOnNewDocument", source=CLICK_WATCH)
        browser.open(page.as_uri() + "?seed=3", 1024, 720)
        browser.cdp("Performance.enable")
        frame = browser.js_async(FRAME_INTERVAL)
        browser.frames(5)  # the page's start-up done before counting
        start = metrics(browser)
        for step in steps(DEFAULT_TOUR):
            play(browser, step)
        end = metrics(browser)
        clicks = browser.js("return window.brumoxClicks;")
        errors = browser.severe_console()
        if errors:
            raise AssertionError(f"console errors: {errors}")
    finally:
        browser.quit()
    latencies = [c["present"] - c["at"] if c["present"] is not None else None for c in clicks]
    return {name: end[name] - start[name] for name in end}, frame, latencies


def table(header, rows):
    widths = [max(len(str(r[i])) for r in [header, *rows]) for i in range(len(header))]
    for line in [header, *rows]:
        print("  ".join(str(cell).ljust(width) for cell, width in zip(line, widths)).rstrip())


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    pages = {name: Path(folder).resolve() / "brumox.html"
             for name, folder in zip(("before", "after"), sys.argv[1:])}
    for name, page in pages.items():
        wait_until(page.exists, 1800, f"{page} to be built", poll=5)

    rows, per_second, after_runs = [], {name: [] for name in pages}, []
    for index in range(RUNS):
        for name, page in pages.items():  # alternated, to share the machine's noise out evenly
            grown, frame, latencies = run(page)
            wall, busy = grown["Timestamp"], grown["TaskDuration"]
            per_second[name].append(busy / wall)
            rows.append((name, index + 1, f"{wall:.2f}", f"{busy:.3f}",
                         f"{grown['DevToolsCommandDuration']:.3f}",
                         f"{grown['ScriptDuration']:.3f}",
                         f"{grown['ProcessTime']:.3f}", f"{busy / wall:.3f}"))
            if name == "after":
                after_runs.append((frame, latencies))
    # The DevTools share is the harness's own polling, the same on both pages; ProcessTime is
    # the whole renderer's CPU, every thread.
    table(("build", "run", "wall s", "TaskDuration s", "of it DevTools s", "ScriptDuration s",
           "ProcessTime s", "CPU per wall second"), rows)

    before, after = (statistics.median(per_second[name]) for name in pages)
    cpu_ok = after <= before * (1 + NOISE)
    print(f"\nmedian CPU per wall second: before {before:.3f}, after {after:.3f} "
          f"({after / before - 1:+.1%}); after <= before (within {NOISE:.0%}): "
          f"{'yes' if cpu_ok else 'NO'}\n")

    rows, latency_ok = [], True
    for index, (frame, latencies) in enumerate(after_runs, start=1):
        for step, what in TIMED_STEPS.items():
            ms = latencies[step]
            ok = ms is not None and ms <= frame + SLACK_MS
            latency_ok &= ok
            rows.append((index, f"{steps(DEFAULT_TOUR)[step]} {step + 1} ({what})",
                         "no present" if ms is None else f"{ms:.1f}",
                         f"{frame:.1f}", "yes" if ok else "NO"))
    print("after page: a click to its first present")
    table(("run", "click", "latency ms", "frame ms", f"within a frame (+{SLACK_MS} ms)"), rows)
    return 0 if cpu_ok and latency_ok else 1


if __name__ == "__main__":
    sys.exit(main())
