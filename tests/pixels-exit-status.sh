#!/usr/bin/env bash
# brumox-pixels ($1) ends as the game does: one line on standard error, and status 2 for a
# command line it cannot use, 1 for a file it cannot write.
set -uo pipefail
pixels=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
expect() {
    local want=$1 said=$2
    shift 2
    "$pixels" "$@" >/dev/null 2>"$out/err"
    local got=$?
    if [[ $got != "$want" || $(wc -l <"$out/err") != 1 ]] ||
        ! grep -qF "brumox-pixels: $said" "$out/err"; then
        echo "brumox-pixels $*: status $got, said: $(cat "$out/err")" >&2
        status=1
    fi
}
expect 2 "usage: brumox-pixels icon"
expect 2 "no command 'paint'" paint
expect 2 "icon SIZE wants a whole number" icon 0 "$out/icon.pam"
expect 2 "--ratio wants a number from 0.5 to 8, not '9'" tour --ratio 9 "$out/tour"
expect 2 "one OUTDIR only" tour "$out/a" "$out/b"
expect 1 "cannot write $out/none/icon.pam" icon 16 "$out/none/icon.pam"
touch "$out/file"
expect 1 "cannot make $out/file/tour" tour --play click "$out/file/tour"
exit $status
