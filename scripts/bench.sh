#!/usr/bin/env bash
# Runs the benchmark suite: Kelvane against small baseline programs built with the same
# compiler and run in the same Wine, display and PulseAudio null sink, interleaved over
# several rounds. Prints one table (medians, ranges, ratios of medians against the targets)
# and appends it, with every sample, to a result file under the build folder.
#   scripts/bench.sh              builds what it needs (64-bit), starts the services, full suite
#   scripts/bench.sh --quick      one short round that only checks every benchmark gives a number
#   --no-build                    uses the programs already built
#   --build-dir DIR               the 64-bit build folder (default: $KELVANE_BUILD/x86_64)
#   --rounds N, --only 1,5,8      more or fewer rounds; only some items (to look into one)
# Services that are already running for that build folder (as in the test command) are used
# as they are; otherwise the script starts its own and stops them again.
set -uo pipefail

quick=0 build=1 bin_dir= rounds= only=
while [ $# -gt 0 ]; do
    case $1 in
        --quick) quick=1 ;;
        --no-build) build=0 ;;
        --build-dir) bin_dir=${2:?}; shift ;;
        --rounds) rounds=${2:?}; shift ;;
        --only) only=${2:?}; shift ;;
        *) echo "usage: $0 [--quick] [--no-build] [--build-dir DIR] [--rounds N] [--only ITEMS]" >&2; exit 2 ;;
    esac
    shift
done
if [ -n "$bin_dir" ]; then
    mkdir -p "$bin_dir"
    KELVANE_BUILD=$(cd "$bin_dir/.." && pwd)
fi
source "$(dirname "$0")/common.sh"
bin_dir=${bin_dir:-$KELVANE_BUILD/x86_64}

if [ "$build" = 1 ]; then
    "$KELVANE_ROOT/scripts/install-deps.sh" || exit 1
    mkdir -p "$KELVANE_BUILD"
    # Configured again in any case: a build folder from before the benchmarks knows no bench target.
    configure=(-S "$KELVANE_ROOT" -B "$bin_dir")
    [ -f "$bin_dir/CMakeCache.txt" ] || configure+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo
        -DCMAKE_TOOLCHAIN_FILE="$KELVANE_ROOT/cmake/toolchain-x86_64-mingw.cmake")
    cmake "${configure[@]}" >"$bin_dir.configure.log" 2>&1 || { cat "$bin_dir.configure.log"; exit 1; }
    say "Building the benchmark programs in $bin_dir"
    cmake --build "$bin_dir" --target bench_runner -j "$KELVANE_JOBS" >"$bin_dir.bench-build.log" 2>&1 \
        || { grep -E 'error|Error' "$bin_dir.bench-build.log" | head -n 40; exit 1; }
fi
[ -f "$bin_dir/bench_runner.exe" ] || { say "bench_runner.exe is not built in $bin_dir"; exit 1; }

if [ -n "${DISPLAY:-}" ] && service_alive wineserver && pactl info >/dev/null 2>&1; then
    say "Using the services already running for $KELVANE_BUILD"
else
    start_services || exit 1
fi

# The scanned tree: 40 folders of 49 folders each (2,000 folders), 10 empty files in every one.
tree=$KELVANE_BUILD/bench/tree
tree_files=20000
if [ ! -f "$tree.done" ]; then
    rm -rf "$tree"
    python3 - "$tree" <<'PYTHON' || exit 1
import os, sys
root = sys.argv[1]
for artist in range(40):
    artist_folder = os.path.join(root, "Artist %02d" % artist)
    for album in range(50):
        folder = artist_folder if album == 0 else os.path.join(artist_folder, "Album %02d" % album)
        os.makedirs(folder, exist_ok=True)
        for track in range(10):
            open(os.path.join(folder, "Track %02d.wav" % track), "wb").close()
PYTHON
    touch "$tree.done"
fi

windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
stamp=$(date +%Y%m%d-%H%M%S)
mkdir -p "$KELVANE_BUILD/bench"
if [ "$quick" = 1 ]; then
    rounds=${rounds:-1} seconds=3 results=$KELVANE_BUILD/bench/results-$stamp-quick.txt
else
    rounds=${rounds:-5} seconds=30 results=$KELVANE_BUILD/bench/results-$stamp.txt
fi
extra=()
[ -z "$only" ] || extra=(--only "$only")
commit=$(git -C "$KELVANE_ROOT" rev-parse --short HEAD 2>/dev/null || echo unknown)
git -C "$KELVANE_ROOT" diff --quiet HEAD 2>/dev/null || commit="$commit with local changes"
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
{
    say "Kelvane benchmarks, $(date '+%Y-%m-%d %H:%M'), commit $commit, $rounds round(s)"
    say "machine: $(nproc) CPUs, ${cpu:-unknown CPU}, $(uname -sr), $("$WINE" --version 2>/dev/null)"
    say "x86_64 build in $bin_dir; ratio = Kelvane median / baseline median; target = the highest ratio accepted"
} | tee "$results"

"$WINE" "$bin_dir/bench_runner.exe" --tree "$(windows_path "$tree")" --tree-files $tree_files \
    --rounds "$rounds" --seconds $seconds --out "$(windows_path "$results")" "${extra[@]}" </dev/null
status=$?
say "results: $results"
exit $status
