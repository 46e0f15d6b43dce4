#!/usr/bin/env bash
# The README's measured figures stay true: the default tour's length and frame count exactly,
# the sizes of its recordings within 15 % (MB of 1,000,000 bytes), and the sides --size takes.
# Usage: check-readme.sh BRUMOX README
set -euo pipefail
game=$1
readme=$2
source "$(dirname "$0")/scratch.sh"

# Prints the first match of an extended regular expression's group in the README.
said() {
    sed -nE "s/.*$1.*/\\1/p" "$readme" | head -n 1 | grep . || fail "the README has no '$1'"
}
record() {
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
        "$game" --record "$@"
}
within15() { # name, bytes, megabytes as the README gives them
    awk -v bytes="$2" -v mb="$3" 'BEGIN { exit !(bytes >= mb * 850000 && bytes <= mb * 1150000) }' ||
        fail "$1 is $2 bytes, the README says $3 MB"
}

record "$scratch/tour.gif" --seed 3
record "$scratch/tour.webp" --seed 3
gifsicle --info "$scratch/tour.gif" >"$scratch/info"

seconds=$(said 'default tour \(([0-9]+) s of game time, [0-9]+ frames\)')
frames=$(said 'default tour \([0-9]+ s of game time, ([0-9]+) frames\)')
counted=$(sed -nE 's/.* ([0-9]+) images$/\1/p' "$scratch/info")
[[ "$counted" -eq "$frames" ]] || fail "the default tour has $counted frames, the README says $frames"
lasts=$(grep -oE 'delay [0-9.]+s' "$scratch/info" | grep -oE '[0-9.]+' |
    awk '{ total += $1 } END { printf "%.0f", total }')
[[ "$lasts" -eq "$seconds" ]] || fail "the default tour lasts $lasts s, the README says $seconds s"

within15 tour.gif "$(stat -c %s "$scratch/tour.gif")" "$(said '^\| `tour\.gif` \| ([0-9.]+) MB')"
gifsicle -O3 "$scratch/tour.gif" -o "$scratch/optimised.gif"
within15 "tour.gif after gifsicle -O3" "$(stat -c %s "$scratch/optimised.gif")" \
    "$(said '`gifsicle -O3` gets ([0-9.]+) MB')"
within15 tour.webp "$(stat -c %s "$scratch/tour.webp")" "$(said '^\| `tour\.webp` \| ([0-9.]+) MB')"

# --size: both ends taken, one past either refused as a usage error.
range='`--size WxH` \| .*from `([0-9]+)x([0-9]+)` to `([0-9]+)x([0-9]+)`'
least_w=$(said "$range" | head -n 1)
least_h=$(sed -nE "s/.*$range.*/\2/p" "$readme" | head -n 1)
most_w=$(sed -nE "s/.*$range.*/\3/p" "$readme" | head -n 1)
most_h=$(sed -nE "s/.*$range.*/\4/p" "$readme" | head -n 1)
for size in "${least_w}x$most_h" "${most_w}x$least_h"; do
    record "$scratch/still.png" --size "$size" --play size:1024x720 ||
        fail "--size $size is refused, the README allows it"
done
for size in "$((least_w - 1))x$most_h" "${most_w}x$((least_h - 1))" \
    "$((most_w + 1))x$least_h" "${least_w}x$((most_h + 1))"; do
    status=0
    record "$scratch/still.png" --size "$size" --play size:1024x720 2>/dev/null || status=$?
    [[ $status -eq 2 ]] || fail "--size $size exits with $status, not as a usage error"
done

echo "README figures ok: $frames frames in $seconds s, --size ${least_w}x$least_h to ${most_w}x$most_h"
