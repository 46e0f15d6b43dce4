#!/usr/bin/env bash
# Two builds of one commit, checked out in folders of different names and depths and each built
# in its own build/ as the README does, give byte for byte the same .deb: nothing of where or when
# it was built gets into the package. Each copy is configured the real way, in the given build
# type.
# Usage: check-reproducible.sh SOURCE BUILD-TYPE
set -euo pipefail
source=$1
type=$2
source "$(dirname "$0")/scratch.sh"

# The files of the working tree, committed or not, as a fresh checkout with those edits has them.
copy() {
    mkdir -p "$1"
    (cd "$source" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do
            if [[ -e "$file" ]]; then printf '%s\0' "$file"; fi
        done | xargs -0 cp -a --parents -t "$1")
}

# Configures, builds the game with what it installs, and packs it into $3.
package() {
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE="$type" -DBRUMOX_TESTS=OFF >/dev/null
    cmake --build "$2" -j "$(nproc)" >/dev/null
    (cd "$2" && cpack -G DEB -B "$3" >/dev/null 2>&1)
}

# Packed with no SOURCE_DATE_EPOCH of the caller's: the changelog's date is the default.
unset SOURCE_DATE_EPOCH
start=$SECONDS
copy "$scratch/one/brumox"
copy "$scratch/second/checkout/of-the-game"
package "$scratch/one/brumox" "$scratch/one/brumox/build" "$scratch/one/deb"
package "$scratch/second/checkout/of-the-game" "$scratch/second/checkout/of-the-game/build" \
    "$scratch/second/deb"

first=("$scratch"/one/deb/*.deb)
second=("$scratch"/second/deb/*.deb)
if ! cmp "${first[0]}" "${second[0]}"; then
    for side in one second; do
        mkdir "$scratch/$side/unpacked"
        dpkg-deb -R "$scratch/$side"/deb/*.deb "$scratch/$side/unpacked"
    done
    diff -rq "$scratch/one/unpacked" "$scratch/second/unpacked" >&2 || true
    fail "two builds of one tree gave different packages"
fi

# Every file carries the changelog's date, not the build's.
stamp=$(dpkg-parsechangelog -l "$source/packaging/changelog" -S Timestamp)
newest=$(dpkg-deb --fsys-tarfile "${first[0]}" | TZ=UTC tar -t --full-time -v | awk '{ print $4 "T" $5 }' |
    sort | tail -n 1)
[[ $(date -u -d "$newest" +%s) -eq $stamp ]] ||
    fail "the newest file in the package is dated $newest, not the changelog's $(date -u -d "@$stamp")"

echo "reproducible: $(basename "${first[0]}"), $(stat -c %s "${first[0]}") bytes," \
    "two builds in $((SECONDS - start)) s"
