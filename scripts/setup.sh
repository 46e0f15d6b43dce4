#!/usr/bin/env bash
# Installs every Debian package the game, its tests and its tools need. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake make dpkg-dev file
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev
    libgif-dev libwebp-dev libsdl2-dev
    webp gifsicle
    fonts-liberation2
    clang-format
    desktop-file-utils
    lintian appstream man-db groff-base
    xvfb x11-utils
    emscripten python3-fonttools python3-brotli
    chromium chromium-driver python3-selenium
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "setup: run as root or install sudo to add: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Waits for another apt or dpkg run to finish rather than failing on its lock.
wait_lock=(-o DPkg::Lock::Timeout=600)
"${sudo[@]}" apt-get "${wait_lock[@]}" update -qq
"${sudo[@]}" apt-get "${wait_lock[@]}" install -y -qq "${missing[@]}"
