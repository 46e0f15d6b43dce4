"""The page's tables are the core's: the keys it acts on and names, the views it remembers, the
names it saves pictures under and the game's name, as brumox-pixels writes them from the core."""

import datetime
import json
import re
import subprocess
import unittest

from browser import PIXELS, SINGLE_FILE, PageTest, wait_until

# The pattern's fields, as game/PictureName.h has them.
FIELDS = {"YYYY": "%Y", "MM": "%m", "DD": "%d", "hh": "%H", "mm": "%M", "ss": "%S"}


class Tables(PageTest):
    def test_the_page_holds_the_cores_tables_and_follows_them(self):
        b = self.browser
        core = json.loads(subprocess.run([str(PIXELS), "page-tables"], check=True,
                                         capture_output=True, text=True).stdout)
        b.open(SINGLE_FILE.as_uri() + "?seed=3")
        held = b.js("return window.brumoxPage.tables;")
        for table in ("name", "keys", "views", "pictureName", "button"):
            self.assertEqual(held[table], core[table], table)

        # The markup names the game and its keys as the table has them, the keypad's twins
        # left out; and Ctrl+S, by the table, saves the picture.
        self.assertEqual(b.js("return document.getElementById('game').ariaLabel;"), core["name"])
        self.assertTrue(b.driver.title.endswith(f" — {core['name']}"), b.driver.title)
        self.assertEqual(b.js("return document.getElementById('game').ariaKeyShortcuts;"),
                         "Space Enter ArrowRight PageDown")
        self.assertEqual(b.js("return document.querySelector('[data-command=\"save\"]')"
                              ".ariaKeyShortcuts;"), "Control+S")

        # A saved picture is named by the core's pattern, at the moment it was saved.
        b.js("window.savedAs = []; HTMLAnchorElement.prototype.click = function () {"
             " window.savedAs.push([this.download, Date.now()]); };")
        b.js("document.dispatchEvent(new KeyboardEvent('keydown',"
             " {key: 's', ctrlKey: true, bubbles: true}));")
        name, at_ms = wait_until(lambda: b.js("return window.savedAs[0];"),
                                 what="the picture to be saved")
        def named(at):
            return re.sub("|".join(FIELDS), lambda field: at.strftime(FIELDS[field.group()]),
                          core["pictureName"]) + ".png"

        # The name is taken a moment before the click that saves it: a second may have turned.
        at = datetime.datetime.fromtimestamp(at_ms / 1000)
        self.assertIn(name, [named(at), named(at - datetime.timedelta(seconds=1))])

        # Each of the core's views is remembered by its name; a name the core does not know is
        # left alone, and the page starts fitted, the core's first view.
        view_item = "return document.querySelector('[data-command=\"view\"]').textContent;"
        for stored, shown in [(core["views"][1], "Fit to Window"), (core["views"][0], "Actual Size"),
                              ("Actual", "Actual Size")]:
            b.js("localStorage.setItem('brumox.view', arguments[0]);", stored)
            b.open(SINGLE_FILE.as_uri() + "?seed=3")
            self.assertEqual(b.js(view_item), shown, stored)
        b.js("localStorage.removeItem('brumox.view');")


if __name__ == "__main__":
    unittest.main()
