"""Clicks, taps and keys: the story's input held while a picture paints and played in order
afterwards, each judged as the game stands then; the window's keys act at once; a hidden tab
holds the picture where it was."""

import time
import unittest

from browser import SINGLE_FILE, PageTest, desktop_pictures, steps, wait_until

# (key, code, text, Windows key code) as a US keyboard sends them.
KEYS = {
    "Space": (" ", "Space", " ", 32),
    "Enter": ("Enter", "Enter", "\r", 13),
    "Right": ("ArrowRight", "ArrowRight", None, 39),
    "PageDown": ("PageDown", "PageDown", None, 34),
    "+": ("+", "Equal", "+", 187),
    "-": ("-", "Minus", "-", 189),
    **{letter: (letter.lower(), f"Key{letter}", letter.lower(), ord(letter)) for letter in "FBEASV"},
}


class Input(PageTest):
    def press(self, name):
        self.browser.key(*KEYS[name])

    def notice(self):
        return self.browser.js("const n = document.getElementById('notice');"
                               "return n.hidden ? null : n.textContent;")

    def test_input_during_a_picture_is_held_and_played_in_order(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3", 1024, 720)
        x, y = b.story_point()
        b.tap(x, y)
        wait_until(lambda: b.performed() == ["click"], what="the tap to go on with the story")
        b.settle()
        # The lair takes seconds to paint: the clicks and F made meanwhile wait their turn, and
        # F counts once the question shows its buttons.
        b.click_story()
        wait_until(b.busy, what="the lair to start painting")
        for _ in range(5):
            b.click_story()
        self.press("F")
        self.assertTrue(b.busy(), "the lair finished before the held input was in")
        self.assertEqual(b.held(), 6)
        # A resize mid-picture lays the page out again at once.
        b.set_window(1000, 700)
        wait_until(lambda: b.js("return window.brumoxPage.layout().area[2] === 1000;"),
                   what="the page to follow the resize")
        # The speed keys act at once: up to instant, the fire ball does not take its seconds.
        for _ in range(4):
            self.press("+")
        speed = self.notice()
        b.settle(seconds=10)
        self.assertEqual(b.performed(), steps("click*7,fire"))
        self.assertEqual(b.shown()["caption"], "Buh-Bye.")
        self.assertLess(b.stats()["durations"][-1], 1000, f"fire ball at {speed}")

    def test_a_hidden_tab_holds_the_picture_where_it_was(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&play=click", 1024, 720)
        game = b.driver.current_window_handle
        b.click_story()  # the lair, two seconds at speed 1
        time.sleep(0.5)
        b.driver.switch_to.new_window("tab")
        time.sleep(3)
        b.driver.close()
        b.driver.switch_to.window(game)
        # The seconds out of sight do not count: the lair goes on from where it was.
        self.assertTrue(b.busy(), "the lair caught up with the time the tab was hidden")
        b.settle()
        nominal = desktop_pictures((1024, 720), "fit", tour="click*2")[-1][0]["nominalNs"] / 1e6
        self.assertAlmostEqual(b.stats()["durations"][-1], nominal, delta=50)

    def test_story_keys(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0", 1024, 720)
        # A letter whose button is not shown does nothing.
        self.press("E")
        for name in ["Space", "Enter", "Right", "PageDown", "Space", "Space", "Space",
                     "F", "A", "B", "A", "E", "S"]:
            self.press(name)
        b.settle()
        self.assertEqual(b.performed(), steps("click*7,fire,again,flame,again,eat,restart"))

    def test_window_keys(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0&view=fit", 1100, 800)
        client = lambda: b.js("return window.brumoxPage.layout().client;")
        fitted = client()
        self.press("V")
        self.assertEqual(client(), [1100, 800], "actual size paints in the window's own size")
        self.press("V")
        self.assertEqual(client(), fitted)
        self.press("-")
        slower = self.notice()
        self.press("+")
        faster = self.notice()
        self.assertTrue(slower and faster and slower != faster, (slower, faster))
        self.assertEqual(b.performed(), [], "a window key went on with the story")


if __name__ == "__main__":
    unittest.main()
