#!/usr/bin/env bash
# Builds Kelvane (32-bit; 64-bit where this machine cannot run 32-bit Wine) and starts it in
# a Wine desktop with a taskbar: on $DISPLAY when there is one, else on a virtual display that
# this script tells you how to look at. Without arguments Kelvane starts resident in the tray
# and plays the demo tones that the build made; extra arguments go to kelvane.exe instead
# (for example file paths, which open the settings window with them added).
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$KELVANE_ROOT/scripts/install-deps.sh" || exit 1
arch=$(runnable_arch)
build_windows "$arch" || exit 1

# On a desktop with a sound server of its own, play there; otherwise into a null sink.
if [ -n "${DISPLAY:-}" ] && env -u PULSE_RUNTIME_PATH pactl info >/dev/null 2>&1; then
    unset PULSE_RUNTIME_PATH
    KELVANE_OWN_PULSE=0
fi
start_services || exit 1

demo=$KELVANE_BUILD/$arch/demo
arguments=("$@")
if [ ${#arguments[@]} -eq 0 ]; then
    arguments=(/restore)
    for tone in "$demo"/*.wav; do arguments+=("$("$WINE" winepath -w "$tone" 2>/dev/null)"); done
    say "Kelvane starts in the tray (bottom right of the Wine desktop) and plays the demo tones in $demo."
    say "Left-click its icon to stop or start; right-click for the menu (設定 opens the play list)."
fi
if [ -f "$KELVANE_RUN/xvfb.pid" ]; then
    say "Kelvane runs on the virtual display $DISPLAY. To see it:"
    say "  DISPLAY=$DISPLAY import -window root kelvane.png   (a screenshot), or"
    say "  x11vnc -display $DISPLAY   (then connect a VNC viewer)"
fi
if [ -n "${PULSE_RUNTIME_PATH:-}" ]; then
    say "Sound goes to a PulseAudio null sink; to record what Kelvane plays:"
    say "  PULSE_RUNTIME_PATH=$PULSE_RUNTIME_PATH parec -d nullsink.monitor --file-format=wav kelvane.wav"
fi
say "Kelvane ends when you choose 終了 (Exit) in its tray menu, or press Ctrl+C here."
"$WINE" "$KELVANE_BUILD/$arch/kelvane.exe" "${arguments[@]}"
status=$?
say "Kelvane ended with status $status."
exit $status
