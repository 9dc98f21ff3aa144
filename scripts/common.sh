# Sourced by the run and test scripts: paths, the build steps, the Wine prefix, and the
# services a run needs (Xvfb, a persistent wineserver, a PulseAudio null sink), each
# started here and stopped again by its process id.

KELVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KELVANE_BUILD=${KELVANE_BUILD:-$KELVANE_ROOT/build}
KELVANE_RUN=$KELVANE_BUILD/run        # pid files and logs of the services
KELVANE_JOBS=${KELVANE_JOBS:-2}

export WINEPREFIX=$KELVANE_BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}  # no Mono/Gecko prompts
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8                      # gives Wine code page 932
export PULSE_RUNTIME_PATH=$KELVANE_RUN/pulse
WINE=$KELVANE_ROOT/scripts/wine-run

# The shipped program is 32-bit. A kernel without IA-32 emulation cannot execute 32-bit Wine;
# there only the 64-bit build runs (the 32-bit one is still built). Where the kernel can,
# install-deps.sh stops unless 32-bit Wine is installed and starts.
kernel_runs_32bit() { "$KELVANE_ROOT/scripts/kernel-runs-32bit"; }
can_run_32bit() { kernel_runs_32bit && /usr/lib/wine/wine --version >/dev/null 2>&1; }
runnable_arch() { if can_run_32bit; then echo i686; else echo x86_64; fi; }

say() { printf '%s\n' "$*"; }

# configure_and_build DIR [cmake arguments...]
configure_and_build() {
    local dir=$1; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$KELVANE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 \
            || { cat "$dir.configure.log"; return 1; }
    fi
    cmake --build "$dir" -j "$KELVANE_JOBS" >"$dir.build.log" 2>&1 \
        || { grep -E 'error|Error' "$dir.build.log" | head -n 40; tail -n 20 "$dir.build.log"; return 1; }
    grep -E 'warning:' "$dir.build.log" | sort -u | head -n 20 || true
}

build_windows() { # i686 or x86_64
    mkdir -p "$KELVANE_BUILD"
    configure_and_build "$KELVANE_BUILD/$1" -DCMAKE_TOOLCHAIN_FILE="$KELVANE_ROOT/cmake/toolchain-$1-mingw.cmake"
}

build_native() {
    mkdir -p "$KELVANE_BUILD"
    CC=clang-14 CXX=clang++-14 configure_and_build "$KELVANE_BUILD/native"
}

service_pid() { cat "$KELVANE_RUN/$1.pid" 2>/dev/null; }

service_alive() { local pid; pid=$(service_pid "$1") && [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; }

start_display() { # uses $DISPLAY when given, else a virtual one
    if [ -n "${DISPLAY:-}" ] && [ "${KELVANE_VIRTUAL_DISPLAY:-0}" != 1 ]; then return 0; fi
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$KELVANE_RUN/xvfb.log" 2>&1 &
    echo $! >"$KELVANE_RUN/xvfb.pid"
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    say "Xvfb did not start on $DISPLAY"; return 1
}

start_pulse() {
    mkdir -p "$PULSE_RUNTIME_PATH"
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --system=no \
        --load="module-null-sink sink_name=nullsink" --load=module-native-protocol-unix \
        >"$KELVANE_RUN/pulse.log" 2>&1 &
    echo $! >"$KELVANE_RUN/pulse.pid"
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
    say "PulseAudio did not start (sound tests will fail); see $KELVANE_RUN/pulse.log"
}

# Wine's own background processes (services, the desktop with its taskbar) start with the
# first program and inherit its output; started here, they never hold a test's pipes open.
# The server opens the files, and root's power over file permissions would let it list any
# folder; without it a folder that denies listing (chmod 000) does so, as on Windows.
start_wineserver() {
    local unprivileged=()
    [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null || unprivileged=(setpriv --bounding-set=-dac_override,-dac_read_search)
    "${unprivileged[@]}" wineserver -f -p >"$KELVANE_RUN/wineserver.log" 2>&1 &
    echo $! >"$KELVANE_RUN/wineserver.pid"
    "$WINE" cmd /c exit >>"$KELVANE_RUN/wine.log" 2>&1 </dev/null
    "$WINE" explorer /desktop=Default,1024x768 >>"$KELVANE_RUN/wine.log" 2>&1 </dev/null &
    echo $! >"$KELVANE_RUN/desktop.pid"
    for _ in $(seq 50); do
        "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
        xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop\|Default' && return 0
        sleep 0.2
    done
}

# How the prefix is made: a prefix that the 64-bit Wine alone made has no 32-bit half, and
# every 32-bit program fails in it ("could not load kernel32.dll"), so the record names both.
prefix_recipe() {
    if can_run_32bit; then echo "kelvane prefix 4: 32-bit and 64-bit Wine"; else echo "kelvane prefix 4: 64-bit Wine only"; fi
}

# The prefix lives in the build folder; made once, then reused while the recipe is the same.
prepare_prefix() {
    local recipe made; recipe=$(prefix_recipe)
    made=$(cat "$WINEPREFIX/.kelvane-prefix" 2>/dev/null)
    if [ "$made" = "$recipe" ]; then return 0; fi
    if [ -d "$WINEPREFIX" ]; then
        say "Making the Wine prefix again: it was made as \"${made:-an older recipe}\", this machine has \"$recipe\""
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    say "Making the Wine prefix in $WINEPREFIX (once, about half a minute)"
    "$WINE" wineboot --init >"$KELVANE_RUN/wineboot.log" 2>&1
    wineserver -w
    # Debian's Wine does not find its own fonts; Japanese UI fonts go to the proportional IPA font.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    for face in "MS UI Gothic" "MS PGothic" "MS Gothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "Meiryo"; do
        "$WINE" reg add "$fonts" /v "$face" /d "IPAPGothic" /f >/dev/null 2>&1
    done
    # Every process of the prefix runs in one Wine desktop with a taskbar and notification area.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # ...with the taskbar, whose notification area holds the program's icon.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
    # A crash must end the program, not wait for someone to close Wine's crash dialog.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -k; wineserver -w
    echo "$recipe" >"$WINEPREFIX/.kelvane-prefix"
}

start_services() {
    mkdir -p "$KELVANE_RUN"
    trap stop_services EXIT
    trap 'exit 130' INT TERM
    start_display
    prepare_prefix
    start_wineserver
    [ "${KELVANE_OWN_PULSE:-1}" = 0 ] || start_pulse
}

stop_services() {
    wineserver -k >/dev/null 2>&1 || true
    for service in desktop pulse wineserver xvfb; do
        if service_alive "$service"; then kill "$(service_pid "$service")" 2>/dev/null || true; fi
        rm -f "$KELVANE_RUN/$service.pid"
    done
}
