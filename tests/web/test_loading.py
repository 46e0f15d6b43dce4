"""Where the page comes from and what its address asks: the single file from disk with no
network, the site offline once visited, and links that cannot be used ignored whole."""

import unittest
from urllib.parse import urlparse

from browser import SINGLE_FILE, PageTest, Server, desktop_pictures, steps, wait_until


class Loading(PageTest):
    def notice(self):
        return self.browser.js("const n = document.getElementById('notice');"
                               "return n.hidden ? '' : n.textContent;")

    def assertPlays(self, what):
        b = self.browser
        before = len(b.performed())
        b.click_story()
        wait_until(lambda: len(b.performed()) > before, what=f"{what}: a click to play")
        b.settle()

    def test_single_file_plays_from_disk_without_network(self):
        b = self.browser
        b.requests()
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0")
        self.assertPlays("from disk")
        self.assertPlays("from disk")
        fetched = [url for url in b.requests()
                   if urlparse(url).scheme in ("http", "https", "ws", "wss")]
        self.assertEqual(fetched, [])

    def test_site_plays_offline_once_visited(self):
        b = self.browser
        server = Server()
        try:
            b.open(server.url + "?seed=3&speed=0")
            b.js_async("const done = arguments[arguments.length - 1];"
                       "navigator.serviceWorker.ready.then(() => done(true));")
            wait_until(lambda: b.js("return !!navigator.serviceWorker.controller;"),
                       what="the service worker to take the page")
        finally:
            server.stop()
        b.driver.refresh()
        b.wait_ready()
        self.assertPlays("offline")

    def test_unusable_links_are_ignored_whole(self):
        b = self.browser
        for query in ["?speed=abc", "?seed=-1", "?play=size:800x600", "?play=fire",
                      "?speed=0&play=click*2,eat"]:
            with self.subTest(query=query):
                b.open(SINGLE_FILE.as_uri() + query)
                self.assertTrue(self.notice(), "no notice")
                self.assertEqual(b.performed(), [], "an unplayable tour played in part")
                self.assertPlays(query)

    def test_a_bad_parameter_leaves_the_others(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&speed=abc&play=click*7,fire", 900, 640)
        self.assertTrue(self.notice(), "no notice")
        self.assertEqual(b.performed(), steps("click*7,fire"))
        b.frames(2)
        expected = desktop_pictures((900, 640), "fit", tour="click*7,fire")[-1]
        self.assertPictureEqual(*b.canvas(), expected, "the linked tour with a bad speed")


if __name__ == "__main__":
    unittest.main()
