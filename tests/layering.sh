#!/usr/bin/env bash
# Each folder may include only itself and the folders below it (the recorder drives the game
# window, so record/ sits above window/), and Qt stays out of the core and of tour/: no
# exceptions. tools/ and the browser's web/ sit on tour/ beside the Qt front ends, which they may
# not use either.
set -euo pipefail
cd "$1"
layers=(canvas pacing stage sound scene attacks game tour qt files window record app)
rank() { local i; for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && echo "$i" && return; done; echo -1; }
status=0
for folder in "${layers[@]}" tools web; do
    own=$(rank "$folder")
    [[ $folder == tools || $folder == web ]] && own=$(rank tour)
    while IFS=: read -r file _ include; do
        target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
        [[ "$target" == "$include" ]] && continue
        other=$(rank "$target")
        if (( other > own )); then
            echo "layering: $file includes $target/, which sits above $folder/" >&2
            status=1
        fi
    done < <(grep -Hn '#include "' "$folder"/*.h "$folder"/*.cpp 2>/dev/null || true)
done
core=(canvas pacing stage sound scene attacks game tour tools web)
if grep -ln '#include <Q' $(for f in "${core[@]}"; do ls "$f"/*.h "$f"/*.cpp 2>/dev/null; done); then
    echo "layering: the files above include Qt, which stays out of the core, tour/, tools/ and web/" >&2
    status=1
fi
[[ $status -eq 0 ]] && echo "layering ok: ${layers[*]}, tools, web"
exit $status
