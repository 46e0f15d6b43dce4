"""The page on touch screens, as a phone or tablet player holds them: every caption readable and
every control a finger's size, measured from what the browser lays out; the whole story played
by taps; the keys and help; and links and storage that cannot hurt the game."""

import time
import unittest

from browser import SINGLE_FILE, PageTest, desktop_pictures, steps, wait_until

# The boxes and caption lines a player sees: what the browser laid out and rendered, in CSS
# pixels, the captions' lines measured from their text as drawn (scaled).
MEASURE = """
    const box = (element) => {
        const r = element.getBoundingClientRect();
        return [r.left, r.top, r.width, r.height];
    };
    const lines = (element) => {
        const heights = [];
        for (const node of element.childNodes) {
            const range = document.createRange();
            range.selectNodeContents(node);
            for (const rect of range.getClientRects()) heights.push(rect.height);
        }
        return heights;
    };
    const shown = [...document.querySelectorAll("#buttons button.command")]
        .filter((button) => !button.hidden);
    return {
        viewport: [innerWidth, innerHeight],
        picture: box(document.getElementById("picture")),
        label: box(document.getElementById("label")),
        labelLines: lines(document.getElementById("label-text")),
        buttons: shown.map(box),
        buttonLines: shown.map((button) => lines(button.querySelector(".caption"))),
        menu: box(document.getElementById("menu-button")),
    };"""

# A line of text as a range measures it is about 1.06 times the font's size in the game's
# font: a 16 pixel caption measures about 17 pixels.
LINE_PER_FONT = 1.05


def overlaps(a, b):
    return a[0] < b[0] + b[2] - 0.5 and b[0] < a[0] + a[2] - 0.5 and \
        a[1] < b[1] + b[3] - 0.5 and b[1] < a[1] + a[3] - 0.5


def inside(box, viewport):
    return box[0] >= -0.5 and box[1] >= -0.5 and box[0] + box[2] <= viewport[0] + 0.5 and \
        box[1] + box[3] <= viewport[1] + 0.5


class TouchScreen:
    """What depends on the screen's size, for each device's test case: the layout as measured,
    a story by taps, the picture."""

    def open(self, query="?seed=3&speed=0"):
        self.browser.open(SINGLE_FILE.as_uri() + query, None)

    def measure(self):
        return self.browser.js(MEASURE)

    def tap_story(self):
        b = self.browser
        before = len(b.performed())
        # Taps closer together than a double-tap's are one: the player's pace, not the test's.
        time.sleep(0.4)
        b.tap(*b.story_point())
        wait_until(lambda: len(b.performed()) > before, what="a tap to go on with the story")
        b.settle()

    def assertReadableAndTappable(self, what):
        seen = self.measure()
        controls = [seen["label"], *seen["buttons"], seen["menu"]]
        for box in controls:
            self.assertTrue(inside(box, seen["viewport"]), f"{what}: {box} leaves the screen")
        for box in [*seen["buttons"], seen["menu"]]:
            self.assertGreaterEqual(min(box[2], box[3]), 44 - 0.5, f"{what}: {box} is small")
        for line in seen["labelLines"]:
            self.assertGreaterEqual(line, 16 * LINE_PER_FONT, f"{what}: the caption's lines")
        for button in seen["buttonLines"]:
            for line in button:
                self.assertGreaterEqual(line, 14 * LINE_PER_FONT, f"{what}: a button's lines")
        # Nothing shown together overlaps, and nothing covers the picture.
        for i, box in enumerate(controls):
            self.assertFalse(overlaps(box, seen["picture"]), f"{what}: {box} covers the picture")
            for other in controls[i + 1:]:
                self.assertFalse(overlaps(box, other), f"{what}: {box} overlaps {other}")

    def test_a_whole_story_by_taps_readable_at_every_step(self):
        b = self.browser
        self.open()
        self.assertEqual(b.js("return document.getElementById('hint').textContent;"),
                         "Tap to continue")
        for _ in range(7):
            self.tap_story()
        self.assertReadableAndTappable("the question")
        for step in ["fire", "again", "flame", "again", "eat"]:
            before = len(b.performed())
            b.tap_button(step)
            wait_until(lambda: len(b.performed()) > before, what=f"a tap on '{step}'")
            b.settle()
            self.assertReadableAndTappable(f"after '{step}'")
        self.assertEqual(b.performed(), steps("click*7,fire,again,flame,again,eat"))
        self.assertEqual(b.driver.title, "Click to continue — BRUMOX SIMULATOR")

    def test_the_picture_is_the_desktops_at_its_zoom(self):
        b = self.browser
        self.open("?seed=3&speed=0&view=fit&play=click*7,fire")
        b.frames(2)
        width, height = self.phone[:2]
        expected = desktop_pictures((width, height), "fit", self.phone[2], tour="click*7,fire",
                                    pointer="coarse")[-1]
        self.assertPictureEqual(*b.canvas(), expected, "the fire ball on a phone")

class UprightPhone(TouchScreen, PageTest):
    """And once, on the phone most links are opened on: taps, the keys and help, a turn."""

    phone = (390, 844, 3)

    def test_a_double_tap_goes_on_one_screen(self):
        b = self.browser
        self.open("?seed=3&speed=0&play=click*3")
        x, y = b.story_point()
        b.tap(x, y)
        b.tap(x, y)
        b.frames(10)
        b.settle()
        self.assertEqual(b.performed(), steps("click*4"))

    def test_the_keys_panel_lists_every_key(self):
        b = self.browser
        self.open()
        b.tap(*b.centre_of("#menu-button"))
        entries = b.js("return [...document.querySelectorAll('#menu button:not([hidden])')]"
                       ".map((e) => { const r = e.getBoundingClientRect();"
                       " return [e.textContent, r.width, r.height]; });")
        for name, width, height in entries:
            self.assertGreaterEqual(min(width, height), 44 - 0.5, f"menu entry {name}")
        b.tap(*b.centre_of('#menu [data-command="about"]'))
        wait_until(lambda: b.js("return document.getElementById('about').open;"),
                   what="the keys and help to open")
        listed = b.js("return [...document.querySelectorAll('#about dt')].map((e) => e.textContent);")
        # Every key the page acts on: clips and quitting are the desktop's.
        table = b.js("return window.brumoxPage.tables.keys"
                     ".filter((k) => !['record', 'quit'].includes(k.does)).map((k) => k.names);")
        self.assertEqual(listed, table)
        self.assertIn("?", " ".join(listed))
        # A tap on the panel goes on with nothing; one outside it closes it.
        b.tap(*b.centre_of("#about h1"))
        self.assertTrue(b.js("return document.getElementById('about').open;"))
        b.tap(2, self.phone[1] - 2)
        wait_until(lambda: not b.js("return document.getElementById('about').open;"),
                   what="a tap outside to close the keys and help")
        b.settle()
        self.assertEqual(b.performed(), [])


    def test_turning_the_phone_mid_picture_keeps_the_picture_and_the_taps(self):
        b = self.browser
        self.open("?seed=3&play=click")
        b.tap(*b.story_point())  # the lair paints for about two seconds
        wait_until(b.busy, what="the lair to start painting")
        for _ in range(2):
            time.sleep(0.5)  # apart, so not a double-tap, even with the page busy painting
            b.tap(*b.story_point())
        width, height, ratio = self.phone
        b.cdp("Emulation.setDeviceMetricsOverride", width=height, height=width,
              deviceScaleFactor=ratio, mobile=True)
        wait_until(lambda: b.js("return window.brumoxPage.layout().area[2];") == height,
                   what="the page to turn")
        b.settle()
        self.assertEqual(b.performed(), steps("click*4"))
        self.assertIsNotNone(b.red_region(), "the beast is gone")
        layout = b.js("return window.brumoxPage.layout();")
        self.assertTrue(layout["panel"])
        self.assertGreater(layout["label"]["rect"][0], layout["origin"][0], "beside the picture")
        self.assertReadableAndTappable("turned")
        b.cdp("Emulation.clearDeviceMetricsOverride")


class SidewaysPhone(TouchScreen, PageTest):
    phone = (844, 390, 3)


class SmallPhone(TouchScreen, PageTest):
    phone = (360, 640, 2)


class Tablet(TouchScreen, PageTest):
    phone = (768, 1024, 2)


class LinksAndStorage(PageTest):
    """Links and storage that once froze, flooded or halted the page."""

    phone = (390, 844, 3)

    def notice_lines(self):
        return self.browser.js("const n = document.getElementById('notice');"
                               "return n.hidden ? [] : [...n.children].map((e) => e.textContent);")

    def test_a_long_play_list_is_refused_at_once(self):
        b = self.browser
        query = "?seed=3&play=click*7" + ",fire,again" * 100
        b.open(SINGLE_FILE.as_uri() + query, None)
        self.assertEqual(b.performed(), [])
        self.assertLess(b.stats()["readyMs"], 1000)
        lines = self.notice_lines()
        self.assertEqual(len(lines), 1)
        self.assertTrue(lines[0].startswith("?play=click*7,fire"), lines[0])

    def test_notices_are_few_short_lines_that_take_no_tap(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&play=" + "x" * 100000, None)
        lines = self.notice_lines()
        self.assertEqual(len(lines), 1)
        self.assertLess(len(lines[0]), 200)
        self.assertNotIn("--", lines[0])
        b.open(SINGLE_FILE.as_uri() + "?seed=3&" + "a=b&c=d&" * 500 + "x=%E2%9C%93", None)
        lines = self.notice_lines()
        self.assertLessEqual(len(lines), 3)
        height = b.js("return document.getElementById('notice').getBoundingClientRect().height;")
        self.assertLess(height, 100)
        # A tap on the notice goes on with the story.
        x, y = b.js("const r = document.getElementById('notice').getBoundingClientRect();"
                    "return [r.left + 10, r.top + r.height / 2];")
        b.tap(x, y)
        wait_until(lambda: b.performed() == ["click"], what="a tap through the notice")
        b.settle()

    def test_storage_that_fails_never_halts_the_game(self):
        b = self.browser
        # Reading refused from the start (a private window); writing refused once the page has
        # written once (a full quota).
        for what, failing in [
                ("reading", "Storage.prototype.getItem = () => { throw new DOMException("
                            "'refused', 'SecurityError'); };"),
                ("writing", "const write = Storage.prototype.setItem; let writes = 0;"
                            "Storage.prototype.setItem = function (...args) {"
                            " if (writes++ > 0) throw new DOMException('full', 'QuotaExceededError');"
                            " return write.apply(this, args); };")]:
            with self.subTest(what):
                script = b.cdp("Page.addScriptToEvaluateOnNewDocument", source=failing)
                try:
                    b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0", None)
                    for _ in range(2):
                        b.key("v", "KeyV", "v", 86)
                    before = len(b.performed())
                    b.tap(*b.story_point())
                    wait_until(lambda: len(b.performed()) > before, what=f"a tap with {what} refused")
                    b.settle()
                finally:
                    b.cdp("Page.removeScriptToEvaluateOnNewDocument",
                          identifier=script["identifier"])

if __name__ == "__main__":
    unittest.main()
