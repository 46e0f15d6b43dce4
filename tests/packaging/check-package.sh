#!/usr/bin/env bash
# Installs the game into a scratch folder and builds its .deb, then checks what a desktop
# expects: the binary, a valid .desktop entry, the icon, and declared dependencies.
set -euo pipefail
build=$1
app=io.github.brumox.BrumoxSimulator
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
test -x "$scratch/usr/games/brumox"
desktop-file-validate "$scratch/usr/share/applications/$app.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$app.metainfo.xml" >/dev/null
file=$(find "$scratch/usr/share/icons" -name "$app.png" | head -n 1)
[[ -n "$file" ]] || { echo "no icon installed" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(find "$scratch/deb" -maxdepth 1 -name '*.deb' | head -n 1)
[[ -n "$deb" ]] || { echo "no .deb built" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libgif7 fonts-liberation2; do
    [[ "$depends" == *"$needed"* ]] || { echo "Depends lacks $needed: $depends" >&2; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/games/brumox ./usr/share/applications/$app.desktop; do
    [[ "$contents" == *"$path"* ]] || { echo "package lacks $path" >&2; exit 1; }
done
echo "package ok: $(basename "$deb"), Depends: $depends"
