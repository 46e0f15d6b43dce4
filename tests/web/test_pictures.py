"""The page shows the desktop's pictures: pixel for pixel what brumox-pixels paints for the same
window, view and pixel ratio, with the same caption and buttons."""

import time
import unittest

from browser import DEFAULT_TOUR, SINGLE_FILE, PageTest, desktop_pictures, steps


class TourPictures(PageTest):
    def test_default_tour_step_by_step(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0", 1024, 720)
        expected = desktop_pictures((1024, 720), "fit", tour=DEFAULT_TOUR)
        self.assertPictureEqual(*b.canvas(), expected[0], "the opening picture")
        self.assertShows(expected[0], "the opening picture")
        for index, step in enumerate(steps(DEFAULT_TOUR), start=1):
            b.play(step)
            what = f"after step {index} '{step}'"
            self.assertPictureEqual(*b.canvas(), expected[index], what)
            self.assertShows(expected[index], what)

    def test_link_opens_on_the_fire_balls_result(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&view=actual&play=click*7,fire", 900, 640)
        self.assertEqual(b.performed(), steps("click*7,fire"))
        b.frames(2)
        expected = desktop_pictures((900, 640), "actual", tour="click*7,fire")[-1]
        self.assertPictureEqual(*b.canvas(), expected, "the linked tour's last picture")
        self.assertShows(expected, "the linked tour's last picture")

    def test_view_switched_mid_picture_ends_as_if_played_in_it(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&play=click", 1000, 700)
        b.key("ArrowRight", key_code=39)  # the lair, two seconds at speed 1
        time.sleep(0.5)
        b.key("v", code="KeyV", text="v", key_code=86)
        b.settle()
        expected = desktop_pictures((1000, 700), "actual", tour="click*2")[-1]
        self.assertPictureEqual(*b.canvas(), expected, "the lair after V mid-picture")


if __name__ == "__main__":
    unittest.main()
