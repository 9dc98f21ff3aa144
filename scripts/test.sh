#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the 32-bit and 64-bit Windows programs
# and the native sanitized build, starts Xvfb, wineserver and PulseAudio, and runs ctest in
# each build (the 32-bit one also checks the program's imports and builds the release package
# twice). Exits non-zero when anything fails.
set -uo pipefail
source "$(dirname "$0")/common.sh"

"$KELVANE_ROOT/scripts/install-deps.sh" || exit 1
export KELVANE_DEPS_READY=1 # for the scripts that the tests run

failed=0
build_windows i686 || exit 1
build_windows x86_64 || exit 1
build_native || exit 1

start_services || exit 1

passed_total=0; failed_total=0; skipped_total=0
run_ctest() { # NAME DIR [ctest arguments...]
    say ""; say "== $1 =="
    ctest --test-dir "$2" --output-on-failure --timeout 900 "${@:3}" 2>&1 | tee "$KELVANE_RUN/ctest-$1.log"
    local status=${PIPESTATUS[0]}
    local line; line=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$KELVANE_RUN/ctest-$1.log" | tail -n 1)
    local total failures skipped
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line"); failures=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    # ctest counts a skipped test (exit status 77) among the passed ones.
    skipped=$(grep -c '(Skipped)$' "$KELVANE_RUN/ctest-$1.log")
    passed_total=$((passed_total + ${total:-0} - ${failures:-0} - skipped))
    failed_total=$((failed_total + ${failures:-0})); skipped_total=$((skipped_total + skipped))
    [ "$status" = 0 ] && [ -n "$line" ] || failed=1
}

run_ctest native "$KELVANE_BUILD/native"
run_ctest x86_64 "$KELVANE_BUILD/x86_64"
# The checks of the shipped 32-bit program start no Windows program; they show what they checked.
run_ctest i686-program "$KELVANE_BUILD/i686" -L no-wine --verbose
if can_run_32bit; then
    run_ctest i686 "$KELVANE_BUILD/i686" -LE no-wine
elif kernel_runs_32bit; then
    say ""; say "== i686 == NOT RUN: this kernel executes 32-bit programs, but the 32-bit Wine loader (/usr/lib/wine/wine, package wine32:i386) does not start. Run scripts/install-deps.sh and read what it says."
    failed=1; failed_total=$((failed_total + 1))
else
    suites=$(ctest --test-dir "$KELVANE_BUILD/i686" -N -LE no-wine | sed -nE 's/^Total Tests: ([0-9]+)/\1/p')
    skipped_total=$((skipped_total + ${suites:-0}))
    say ""; say "== i686 == built; ${suites:-0} suites not run: this machine's kernel does not execute 32-bit programs (scripts/kernel-runs-32bit), so 32-bit Wine cannot start."
fi

say ""
say "$passed_total passed, $failed_total failed, $skipped_total skipped"
exit $failed
