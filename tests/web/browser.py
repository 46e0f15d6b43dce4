"""What the browser tests and the web benchmark share: headless Chromium driven by Selenium, a
loopback server for the site, and the desktop's pictures from brumox-pixels.

BRUMOX_WEB names the web build's folder (brumox.html and site/), BRUMOX_PIXELS the native
brumox-pixels; both default to their places in build/.
"""

import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SOURCE = Path(__file__).resolve().parents[2]
WEB = Path(os.environ.get("BRUMOX_WEB", SOURCE / "build" / "web"))
PIXELS = Path(os.environ.get("BRUMOX_PIXELS", WEB / "native" / "brumox-pixels"))
SINGLE_FILE = WEB / "brumox.html"
SITE = WEB / "site"

# The story's steps by the names the page and the tour scripts share.
DEFAULT_TOUR = "click*7,fire,again,flame,again,eat"

WAIT_SECONDS = 30


class Timeout(AssertionError):
    pass


def wait_until(condition, seconds=WAIT_SECONDS, what="a condition", poll=0.02):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {seconds} s waiting for {what}")
        time.sleep(poll)


def steps(tour):
    """The tour's steps one by one: "click*2,fire" gives click, click, fire."""
    out = []
    for step in tour.split(","):
        name, _, count = step.partition("*")
        out += [name] * int(count or 1)
    return out


class Browser:
    """One headless Chromium with its own profile, its console and network logs kept, on a
    screen of `ratio` device pixels per CSS pixel. The ratio is the screen's own, not the
    developer tools' emulated one, under which a device-pixel box is told in CSS pixels."""

    def __init__(self, ratio=1, phone=None):
        """`phone`, a (width, height, ratio) in CSS pixels, emulates a touch screen of that size
        instead, its primary pointer coarse."""
        self.profile = tempfile.mkdtemp(prefix="brumox-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                     "--force-color-profile=srgb", "--disable-dev-shm-usage",
                     f"--user-data-dir={self.profile}"):
            options.add_argument(flag)
        if phone:
            width, height, phone_ratio = phone
            options.add_experimental_option("mobileEmulation", {
                "deviceMetrics": {"width": width, "height": height, "pixelRatio": phone_ratio,
                                  "touch": True},
                "userAgent": "Mozilla/5.0 (Linux; Android 13; Pixel 7) Mobile Safari/537.36"})
        else:
            options.add_argument(f"--force-device-scale-factor={ratio}")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(WAIT_SECONDS)
        self.console = []

    def quit(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def js_async(self, script, *arguments):
        """Runs `script` with its last argument a callback, which the script calls with its result."""
        return self.driver.execute_async_script(script, *arguments)

    # ---- The window. ----
    def set_window(self, width, height):
        """The page's window in CSS pixels, at the screen's own pixel ratio (0 keeps it)."""
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=0, mobile=False)

    def open(self, url, width=1024, height=720, wait_ready=True):
        """Opens `url` in a window of that size (None keeps the emulated phone's)."""
        if width is not None:
            self.set_window(width, height)
        self.driver.get(url)
        if wait_ready:
            self.wait_ready()

    def wait_ready(self):
        wait_until(lambda: self.js("return document.body.dataset.ready === 'true' || "
                                   "!document.getElementById('error').hidden"),
                   what="the page to take clicks")
        self.assert_no_error()

    def assert_no_error(self):
        error = self.js("const e = document.getElementById('error');"
                        "return e.hidden ? null : e.textContent;")
        if error:
            raise AssertionError(f"the page shows an error: {error}")

    # ---- The game's state, as the page shows it. ----
    def stats(self):
        return self.js("return window.brumoxPage.stats;")

    def performed(self):
        return self.js("return window.brumoxPage.stats.performed;")

    def held(self):
        return self.js("return window.brumoxPage.held();")

    def busy(self):
        return self.js("return window.brumoxPage.isBusy();")

    def settle(self, seconds=WAIT_SECONDS):
        """Waits until every held action has played and the last frame is on the canvas."""
        wait_until(lambda: self.js("return !window.brumoxPage.isBusy() && "
                                   "window.brumoxPage.held() === 0;"),
                   seconds, "the page to finish its pictures")
        self.frames(2)
        self.assert_no_error()

    def frames(self, count):
        self.js_async("const done = arguments[arguments.length - 1]; let n = arguments[0];"
                      "const tick = () => (--n < 0 ? done() : requestAnimationFrame(tick)); tick();",
                      count)

    def shown(self):
        """The caption's words and the visible buttons' captions, bottom of the stack first."""
        return self.js("""
            const words = (element) => element.textContent.split(/\\s+/).filter(Boolean).join(" ");
            const label = document.getElementById("label");
            const buttons = [...document.querySelectorAll("#buttons button.command")]
                .filter((button) => !button.hidden)
                .sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex))
                .map(words);
            return {caption: label.hidden ? "" : words(document.getElementById("label-text")),
                    buttons};""")

    def canvas(self):
        """The canvas's backing store: (width, height, RGBA bytes)."""
        width, height, data = self.js("""
            const canvas = document.getElementById("picture");
            const bytes = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
            let text = "";
            for (let i = 0; i < bytes.length; i += 0x8000)
                text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
            return [canvas.width, canvas.height, btoa(text)];""")
        return width, height, base64.b64decode(data)

    def story_point(self):
        """A point of the window, in CSS pixels, where a click goes on with the story: on the
        game, outside the label and every button."""
        return self.js("""
            const layout = window.brumoxPage.layout();
            const boxes = [layout.label.rect, ...layout.buttons.map((b) => b.rect)];
            const inside = (x, y, r) => x >= r[0] && y >= r[1] && x < r[0] + r[2] && y < r[1] + r[3];
            const [ax, ay, aw, ah] = layout.area;
            for (let y = ay + 8; y < ay + ah; y += 16)
                for (let x = ax + 8; x < ax + aw; x += 16)
                    if (!boxes.some((r) => inside(x, y, r))) return [x, y];
            return null;""")

    def click_at(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def click_story(self):
        self.click_at(*self.story_point())

    def click_button(self, step):
        """Clicks the middle of the button for a step ("fire", "again", ...)."""
        x, y = self.js("""
            const button = document.querySelector(
                `#buttons button.command[data-action="${arguments[0]}"]`);
            const box = button.getBoundingClientRect();
            return [box.left + box.width / 2, box.top + box.height / 2];""", self.action(step))
        self.click_at(x, y)

    def action(self, step):
        """The page's action number for a step name."""
        return self.js("return window.brumoxPage.steps.indexOf(arguments[0]);", step)

    def press(self, step):
        """Clicks the story for "click", a step's button otherwise."""
        if step == "click":
            self.click_story()
        else:
            self.click_button(step)

    def play(self, step):
        """Plays one step with the mouse and waits for its picture to be on the canvas."""
        before = len(self.performed())
        self.press(step)
        wait_until(lambda: len(self.performed()) > before, what=f"'{step}' to play")
        self.settle()

    def device_box(self):
        """The canvas's box in device pixels, as the browser tells it once it has laid it out."""
        return self.js_async("""
            const done = arguments[arguments.length - 1];
            new ResizeObserver((entries, observer) => {
                observer.disconnect();
                const box = entries[0].devicePixelContentBoxSize[0];
                done([box.inlineSize, box.blockSize]);
            }).observe(document.getElementById("picture"), {box: "device-pixel-content-box"});""")

    def screen_against_canvas(self, region):
        """Compares what the screen shows of the canvas with its backing store over `region`
        ([x, y, width, height] in backing-store pixels): the count of screen pixels that differ,
        and of those whose colour appears nowhere in the backing store (blended ones)."""
        shot = self.cdp("Page.captureScreenshot", format="png")["data"]
        return self.js_async("""
            const [shot, region, done] = arguments;
            const image = new Image();
            image.onload = () => {
                const canvas = document.getElementById("picture");
                const box = canvas.getBoundingClientRect();
                const left = Math.round(box.left * devicePixelRatio);
                const top = Math.round(box.top * devicePixelRatio);
                const screen = document.createElement("canvas");
                screen.width = image.width;
                screen.height = image.height;
                screen.getContext("2d").drawImage(image, 0, 0);
                const [x, y, width, height] = region;
                const seen = screen.getContext("2d")
                    .getImageData(left + x, top + y, width, height).data;
                const kept = canvas.getContext("2d").getImageData(x, y, width, height).data;
                const all = canvas.getContext("2d")
                    .getImageData(0, 0, canvas.width, canvas.height).data;
                const colours = new Set();
                const colour = (d, i) => (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
                for (let i = 0; i < all.length; i += 4) colours.add(colour(all, i));
                let differing = 0, blended = 0;
                for (let i = 0; i < kept.length; i += 4) {
                    if (colour(seen, i) !== colour(kept, i)) differing += 1;
                    if (!colours.has(colour(seen, i))) blended += 1;
                }
                done({differing, blended});
            };
            image.src = "data:image/png;base64," + shot;""", shot, region)

    def red_region(self):
        """The smallest box of the backing store holding every pixel of the beast's red."""
        return self.js("""
            const canvas = document.getElementById("picture");
            const d = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
            let x0 = Infinity, y0 = Infinity, x1 = -1, y1 = -1;
            for (let i = 0; i < d.length; i += 4) {
                if (d[i] !== 255 || d[i + 1] !== 0 || d[i + 2] !== 0) continue;
                const x = (i / 4) % canvas.width, y = Math.floor(i / 4 / canvas.width);
                x0 = Math.min(x0, x); y0 = Math.min(y0, y); x1 = Math.max(x1, x); y1 = Math.max(y1, y);
            }
            return x1 < 0 ? null : [x0, y0, x1 - x0 + 1, y1 - y0 + 1];""")

    def key(self, key, code=None, text=None, key_code=0):
        """Presses and releases one key through the DevTools protocol, as a keyboard would."""
        down = {"type": "keyDown", "key": key,
                "code": code or key, "windowsVirtualKeyCode": key_code}
        if text is not None:
            down["text"] = text
        self.cdp("Input.dispatchKeyEvent", **down)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code or key,
                 windowsVirtualKeyCode=key_code)

    def tap(self, x, y):
        point = [{"x": x, "y": y}]
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def centre_of(self, selector):
        """The middle of the first element `selector` finds, in CSS pixels."""
        return self.js("""
            const box = document.querySelector(arguments[0]).getBoundingClientRect();
            return [box.left + box.width / 2, box.top + box.height / 2];""", selector)

    def tap_button(self, step):
        self.tap(*self.centre_of(f'#buttons button.command[data-action="{self.action(step)}"]'))

    # ---- Logs. ----
    def severe_console(self):
        """Console errors (and uncaught exceptions) since the last call."""
        self.console += [entry for entry in self.driver.get_log("browser")
                         if entry["level"] == "SEVERE"]
        found, self.console = self.console, []
        return [entry["message"] for entry in found]

    def requests(self):
        """The addresses of the network requests the page made since the last call."""
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        return urls


class Server:
    """The site on a free loopback port, served until stop()."""

    def __init__(self, folder=SITE):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-m", "http.server", str(self.port), "--bind", "127.0.0.1",
             "--directory", str(folder)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.url = f"http://127.0.0.1:{self.port}/"
        wait_until(self._answers, 10, "the server to listen")

    def _answers(self):
        with socket.socket() as client:
            return client.connect_ex(("127.0.0.1", self.port)) == 0

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


def desktop_pictures(size, view, ratio=1, seed=3, tour=DEFAULT_TOUR, pointer="fine"):
    """The desktop's picture after the opening and after each step, from brumox-pixels, laid out
    as the page lays it out for the pointer, with its menu button: a list of (metadata, RGBA
    bytes)."""
    menu = 44 if pointer == "coarse" else 32
    with tempfile.TemporaryDirectory(prefix="brumox-pixels-") as folder:
        result = subprocess.run(
            [str(PIXELS), "tour", "--size", f"{size[0]}x{size[1]}", "--view", view,
             "--ratio", str(ratio), "--seed", str(seed), "--pointer", pointer, "--menu", str(menu),
             "--play", tour, folder],
            check=True, capture_output=True, text=True)
        pictures = []
        for line in result.stdout.splitlines():
            meta = json.loads(line)
            pictures.append((meta, (Path(folder) / meta["file"]).read_bytes()))
        return pictures


def words(text):
    return " ".join(text.split())


def differing_pixels(left, right):
    return sum(left[i:i + 4] != right[i:i + 4] for i in range(0, min(len(left), len(right)), 4))


class PageTest(unittest.TestCase):
    """One browser for the class; every test ends with no console error."""

    ratio = 1
    phone = None

    @classmethod
    def setUpClass(cls):
        cls.browser = Browser(cls.ratio, cls.phone)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def tearDown(self):
        self.assertEqual(self.browser.severe_console(), [], "console errors")

    def assertPictureEqual(self, width, height, pixels, expected, what):
        meta, want = expected
        self.assertEqual((width, height), (meta["width"], meta["height"]), f"{what}: canvas size")
        if pixels != want:
            self.fail(f"{what}: {differing_pixels(pixels, want)} pixels differ from the desktop's")

    def assertShows(self, expected, what):
        meta, _ = expected
        self.assertEqual(self.browser.shown(),
                         {"caption": words(meta["caption"]),
                          "buttons": [words(caption) for caption in meta["buttons"]]}, what)


# The display's frame interval, in ms: the median gap between 60 animation frames.
FRAME_INTERVAL = """
const done = arguments[arguments.length - 1];
const times = [];
const tick = (time) => {
  times.push(time);
  if (times.length < 61) return requestAnimationFrame(tick);
  const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  done(gaps[30]);
};
requestAnimationFrame(tick);
"""
