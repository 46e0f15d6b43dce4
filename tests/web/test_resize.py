"""Resized on screens of 1, 1.5 and 2 device pixels per CSS pixel, the picture settles sharp:
its backing store covers exactly its device pixels, holds the desktop's picture at that scale,
and the screen shows those pixels unblended."""

import unittest

from browser import SINGLE_FILE, PageTest, desktop_pictures


class Resize(PageTest):
    # (window, view) after the page opens at 1024 x 720 on the lair.
    sizes = [((900, 650), "fit"), ((777, 555), "fit"), ((700, 500), "actual")]

    def test_picture_settles_sharp(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0&view=fit&play=click*3", 1024, 720)
        view = "fit"
        for window, wanted_view in self.sizes:
            if wanted_view != view:
                b.key("v", "KeyV", "v", 86)
                view = wanted_view
            b.set_window(*window)
            what = f"{window[0]}x{window[1]} {view} at ratio {self.ratio}"
            # Settled: a tenth of a second after the last resize.
            b.frames(20)
            b.settle()
            width, height, pixels = b.canvas()
            self.assertEqual(b.device_box(), [width, height], f"{what}: device box")
            if view == "fit":
                # The fitted painters see the design size whatever the window: a resize only
                # rebuilds the picture at the new scale.
                expected = desktop_pictures(window, view, self.ratio, tour="click*3")[-1]
                self.assertPictureEqual(width, height, pixels, expected, what)
            region = b.red_region()
            self.assertIsNotNone(region, f"{what}: no beast on the canvas")
            shown = b.screen_against_canvas(region)
            self.assertEqual(shown["blended"], 0, f"{what}: blended colours on the beast: {shown}")
            self.assertEqual(shown["differing"], 0, f"{what}: the screen differs on the beast: {shown}")


class ResizeAtOneAndAHalf(Resize):
    ratio = 1.5


class ResizeAtTwo(Resize):
    ratio = 2


if __name__ == "__main__":
    unittest.main()
