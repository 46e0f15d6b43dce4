"""Writes the page as a phone held upright shows it after the flame breath: the README's phone
picture, from headless Chromium. Usage: phone-picture.py OUT.png (after scripts/web --build-only)."""

import base64
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from browser import SINGLE_FILE, Browser  # noqa: E402

browser = Browser(phone=(390, 844, 2))
try:
    browser.open(SINGLE_FILE.as_uri() + "?seed=3&speed=0&play=click*7,flame", None)
    browser.frames(3)
    shot = browser.cdp("Page.captureScreenshot", format="png")["data"]
    Path(sys.argv[1]).write_bytes(base64.b64decode(shot))
finally:
    browser.quit()
