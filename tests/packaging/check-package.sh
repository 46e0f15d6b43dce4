#!/usr/bin/env bash
# Builds the .deb and checks it as Debian and a desktop would take it: lintian finds nothing to
# warn about, the menu entry and AppStream metadata validate, every icon has the size its folder
# says, the versions agree, the size is the README's, and the game runs from the unpacked
# package, its window tied to the menu entry.
# Usage: check-package.sh BUILD SOURCE ICON-SIZES (comma-separated)
set -euo pipefail
build=$1
source=$2
IFS=, read -ra sizes <<<"$3"
app=io.github.brumox.BrumoxSimulator
scratch=$(mktemp -d)
cleanup=()
trap 'kill "${cleanup[@]}" 2>/dev/null; wait; rm -rf "$scratch"' EXIT
fail() { echo "$*" >&2; exit 1; }

# Packed under a strict umask, which must not leak into the package's permissions.
(cd "$build" && umask 077 && cpack -G DEB -B "$scratch/deb" >/dev/null)
debs=("$scratch"/deb/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

# Informational tags are shown but pass. One stays: spelling-error-in-binary for "tyring",
# which the story's caption spells that way.
lintian --allow-root --display-info --fail-on error,warning "$deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libgif7 libsdl2-2.0-0 fonts-liberation2; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# A Wayland session runs the game natively only with Qt's Wayland plugin.
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: $recommends"

# The README gives the package's size as "about N KB" (of 1000 bytes): within 15 % of it.
said=$(grep -oE '\.deb` \(about [0-9]+ KB\)' "$source/README.md" | grep -oE '[0-9]+') ||
    fail "the README gives no size for the .deb"
bytes=$(stat -c %s "$deb")
((bytes >= said * 850 && bytes <= said * 1150)) ||
    fail "the .deb is $bytes bytes, the README says about $said KB"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

desktop=$share/applications/$app.desktop
desktop-file-validate "$desktop"
# The metadata on its own, then with the desktop entry it launches.
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" >"$scratch/appstream" ||
    fail "$(cat "$scratch/appstream")"
appstreamcli validate-tree --no-net "$root" >"$scratch/appstream" || fail "$(cat "$scratch/appstream")"

# The menu finds the icon by the desktop entry's name for it, at every size the build paints.
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in "${sizes[@]}"; do
    png=$share/icons/hicolor/${size}x$size/apps/$icon.png
    [[ -f "$png" ]] || fail "no ${size} px icon named $icon"
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
        fail "$png is not $size px square: $(file -b "$png")"
done

# The changelog, the AppStream release and the package carry one version.
version=$(dpkg-deb -f "$deb" Version)
changelog=$(zcat "$root/usr/share/doc/brumox/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[[ "$changelog" == "$version" ]] || fail "changelog is at $changelog, the package at $version"
grep -q "<release version=\"$version\"" "$share/metainfo/$app.metainfo.xml" ||
    fail "the AppStream metadata has no release $version"

# The copyright file carries the project's licence word for word.
awk -v RS= '/^License: Expat\n/' "$root/usr/share/doc/brumox/copyright" | tail -n +2 |
    sed 's/^ //; s/^\.$//' >"$scratch/licence"
sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" |
    diff -u - "$scratch/licence" || fail "the copyright file's licence is not LICENSE's"

# The stripped binary runs from where the package puts it, and paints with Qt's plugins.
game=$root/usr/games/brumox
[[ $(QT_QPA_PLATFORM=offscreen "$game" --version) == "brumox $version"* ]] ||
    fail "the packaged game does not say it is $version"
QT_QPA_PLATFORM=offscreen "$game" --write-icon "$scratch/icon.png"
[[ $(file -b "$scratch/icon.png") == "PNG image data, "* ]] || fail "the packaged game paints no icon"

# Docks tie the window to its menu entry by the class in its WM_CLASS: shown on an X server of
# its own, the packaged game's window has the class the desktop entry names.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[[ -n "$wm_class" ]] || fail "the desktop entry names no StartupWMClass"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
server=$!
cleanup+=("$server")
for _ in {1..100}; do [[ -s "$scratch/display" ]] && break; sleep 0.1; done
[[ -s "$scratch/display" ]] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$scratch/display")
QT_QPA_PLATFORM=xcb HOME=$scratch XDG_CONFIG_HOME=$scratch/config "$game" --speed 0 2>/dev/null &
cleanup+=("$!")
classes=
for _ in {1..200}; do
    classes=$(xwininfo -root -children | grep -oE '^ +0x[[:xdigit:]]+' |
        xargs -r -n 1 xprop WM_CLASS -id | sed -n 's/^WM_CLASS(STRING) = //p') || true
    [[ -n "$classes" ]] && break
    sleep 0.1
done
[[ "$classes" == *", \"$wm_class\""* ]] ||
    fail "the game's window has WM_CLASS ${classes:-(none)}, the desktop entry $wm_class"

echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes," \
    "$(dpkg-deb -f "$deb" Installed-Size) KiB installed, Depends: $depends"
