#!/usr/bin/env bash
# Builds Kelvane (32-bit; 64-bit where this machine cannot run 32-bit Wine) and starts it in a Wine desktop: on $DISPLAY when there is one,
# else on a virtual display that this script tells you how to look at. Extra arguments go
# to kelvane.exe (for example /restore, or file paths to add to the play list).
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$KELVANE_ROOT/scripts/install-deps.sh" || exit 1
arch=$(runnable_arch)
build_windows "$arch" || exit 1
start_services || exit 1

if [ -n "${KELVANE_VIRTUAL_DISPLAY_SHOWN:-}" ] || [ -f "$KELVANE_RUN/xvfb.pid" ]; then
    say "Kelvane runs on the virtual display $DISPLAY. To see it:"
    say "  DISPLAY=$DISPLAY import -window root kelvane.png   (a screenshot), or"
    say "  x11vnc -display $DISPLAY   (then connect a VNC viewer)"
fi
say "Starting Kelvane; it ends when you choose 終了 (Exit) in its tray menu, or press Ctrl+C here."
"$WINE" "$KELVANE_BUILD/$arch/kelvane.exe" "$@"
status=$?
say "Kelvane ended with status $status."
exit $status
