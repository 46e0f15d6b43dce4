#!/usr/bin/env bash
# Keeps the manual page in step with the game: it renders without a warning, every --long
# option that "brumox --help-all" lists is in it, and every --long option in it is one the game
# lists. Qt's own options may be written there with one dash, as Qt's documentation does. Its
# KEYS list says what the help's key list says, entry for entry, in the same order.
# Usage: check-manpage.sh BRUMOX PAGE
set -euo pipefail
game=$1
page=$2
source "$(dirname "$0")/scratch.sh"

# The page as a reader sees it: plain ASCII on lines too long to break, never hyphenated.
groff -man -ww -Tascii -rLL=1000n -rHY=0 -P-cbou "$page" >"$scratch/page" 2>"$scratch/warnings"
if [[ -s "$scratch/warnings" ]]; then
    echo "$page does not render cleanly:" >&2
    cat "$scratch/warnings" >&2
    exit 1
fi

# Help ends the program at once; a binary that took it for a game would be stopped here. No
# display and no settings of the user's are involved.
help() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$scratch" \
        XDG_CONFIG_HOME="$scratch/config" timeout -k 2 5 "$game" "$1" 2>/dev/null
}
help --help-all >"$scratch/help"

# Option names from the help's left-hand column, and --long ones from the page.
grep -oE -- '^ +(-[[:alnum:]?], )?--[[:alnum:]][[:alnum:]-]*' "$scratch/help" |
    grep -oE -- '--[[:alnum:]][[:alnum:]-]*' | sort -u >"$scratch/help-options"
grep -oE -- '(^|[^[:alnum:]-])--[[:alnum:]][[:alnum:]-]*' "$scratch/page" |
    grep -oE -- '--[[:alnum:]][[:alnum:]-]*' | sort -u >"$scratch/page-options"
[[ -s "$scratch/help-options" ]] || { echo "no options found in the game's help" >&2; exit 1; }

failed=0
while read -r option; do
    name=${option#--}
    if ! grep -qE -- "(^|[^[:alnum:]-])--?$name([^[:alnum:]-]|\$)" "$scratch/page"; then
        echo "the manual page lacks $option, which the game lists" >&2
        failed=1
    fi
done <"$scratch/help-options"

missing=$(comm -23 "$scratch/page-options" "$scratch/help-options")
if [[ -n "$missing" ]]; then
    echo "the manual page documents options the game does not list:" $missing >&2
    failed=1
fi
# The keys, one entry a line with its spaces evened out: from the help, the names and the text
# (on the next line under long names); from the page, its first paragraphs under KEYS, one for
# each tagged paragraph there.
awk '/^Keys:$/ { keys = 1; next }
     keys && !/^  / { exit }
     keys && /^   / { entry = entry $0; next }
     keys { if (entry != "") print entry; entry = $0 }
     END { if (entry != "") print entry }' "$scratch/help" |
    sed -E 's/ +/ /g; s/^ //; s/ $//' >"$scratch/help-keys"
tagged=$(sed -n '/^\.SH KEYS/,/^\.SH [^K]/p' "$page" | grep -c '^\.T[PQ]' || true)
sed -n '/^KEYS$/,/^[A-Z]/p' "$scratch/page" | sed '1d;$d' |
    awk -v RS= '{ gsub(/[ \n]+/, " "); sub(/^ /, ""); sub(/ $/, ""); print }' |
    head -n "$tagged" >"$scratch/page-keys"
[[ -s "$scratch/help-keys" ]] || { echo "no keys found in the game's help" >&2; exit 1; }
if [[ $tagged -ne $(wc -l <"$scratch/help-keys") ]] ||
    ! diff -u --label "brumox --help" --label "$page" "$scratch/help-keys" "$scratch/page-keys" >&2; then
    echo "the manual page's KEYS list ($tagged entries) differs from the game's" >&2
    failed=1
fi

# Qt's own options: the page describes each one the help gives a line of its own, and only
# options the help names.
sed -n "/^Qt's own options/,\$p" "$scratch/help" | grep -oE -- '^  -[[:alnum:]]+ ' |
    grep -oE -- '[[:alnum:]]+' | sort -u >"$scratch/help-qt-lines"
sed -n "/^Qt's own options/,\$p" "$scratch/help" | grep -oE -- '(^  |, )-[[:alnum:]]+' |
    grep -oE -- '[[:alnum:]]+' | sort -u >"$scratch/help-qt"
sed -n "/^\.SS Qt's own options/,/^\.S[HS] /p" "$page" | grep -A1 '^\.TP' |
    sed -nE 's/^\.BI? \\-([[:alnum:]]+).*/\1/p' | sort -u >"$scratch/page-qt"
[[ -s "$scratch/help-qt-lines" ]] || { echo "no Qt options found in the game's help" >&2; exit 1; }
if [[ -n $(comm -23 "$scratch/help-qt-lines" "$scratch/page-qt") ]]; then
    echo "the manual page lacks Qt's" \
        $(comm -23 "$scratch/help-qt-lines" "$scratch/page-qt" | sed 's/^/-/') >&2
    failed=1
fi
if [[ -n $(comm -13 "$scratch/help-qt" "$scratch/page-qt") ]]; then
    echo "the manual page describes Qt options the game does not pass on:" \
        $(comm -13 "$scratch/help-qt" "$scratch/page-qt" | sed 's/^/-/') >&2
    failed=1
fi

((failed == 0))
echo "manual page ok: $(wc -l <"$scratch/help-options") options, $(wc -l <"$scratch/page-qt") of Qt's," \
    "$(wc -l <"$scratch/help-keys") keys"
