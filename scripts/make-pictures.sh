#!/usr/bin/env bash
# Remakes the README's pictures with the game's own recorder: no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
game="${BUILD:-build}/brumox"
record() { "$game" --record "docs/$1" --seed 1966 --play "$2" "${@:3}"; }
record lair.png click*7
record fire-ball.png click*7,fire
record flame-breath.png click*7,flame
record eat-him.png click*7,eat
record flame-breath.webp click*7,flame --fps 12
# The page on a phone held upright, from headless Chromium.
scripts/web --build-only >/dev/null
/usr/bin/python3 scripts/phone-picture.py docs/phone.png
ls -l docs
