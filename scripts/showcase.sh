#!/usr/bin/env bash
# Shows one scene of the library's windows (the showcase program under tests/showcase) on the
# virtual display and saves a screenshot of it:
#   scripts/showcase.sh SCENE [SECONDS]
# SCENE: question-box, combo-list, file-name-list, file-list or transparent-controls. The
# picture goes to build/showcase-SCENE.png; the scene stays SECONDS more (default 0) for a look.
set -uo pipefail
source "$(dirname "$0")/common.sh"

scene=${1:?"usage: $0 SCENE [SECONDS]"}
linger=${2:-0}
"$KELVANE_ROOT/scripts/install-deps.sh" || exit 1
arch=$(runnable_arch)
build_windows "$arch" || exit 1
start_services || exit 1

ready=$KELVANE_RUN/showcase-ready
rm -f "$ready"
"$WINE" "$KELVANE_BUILD/$arch/kelvane_showcase.exe" "$scene" "/seconds:$((linger + 30))" \
    "/ready:$("$WINE" winepath -w "$ready" 2>/dev/null)" &
shown=$!
for _ in $(seq 300); do [ -f "$ready" ] && break; kill -0 "$shown" 2>/dev/null || break; sleep 0.1; done
[ -f "$ready" ] || { say "The scene '$scene' did not come up."; exit 1; }
picture=$KELVANE_BUILD/showcase-$scene.png
import -window root "$picture" && say "Saved $picture"
[ "$linger" -gt 0 ] && say "The scene stays on $DISPLAY for $linger s." && sleep "$linger"
kill "$shown" 2>/dev/null
wait "$shown" 2>/dev/null
exit 0
