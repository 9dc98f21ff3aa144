#!/usr/bin/env bash
# Builds the release package build/dist/Kelvane-1.x-win32.zip: the stripped 32-bit kelvane.exe,
# Kelvane.HLP, its page Kelvane.html and 読んでください.txt (code page 932), checks that each is in
# the zip, and prints its size and SHA-256. The same
# commit gives the same bytes in any folder: every time stamp of the build is the commit's.
# With --twice it also builds a copy of the sources in another folder, without ccache, and
# fails unless both zips are identical; the test command runs it so.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ZIP_NAME=Kelvane-1.x-win32.zip
README_NAME=読んでください.txt

twice=0
case "${1:-}" in
    --twice) twice=1 ;;
    "") ;;
    *) say "usage: $0 [--twice]"; exit 2 ;;
esac

[ "${KELVANE_DEPS_READY:-0}" = 1 ] || "$KELVANE_ROOT/scripts/install-deps.sh"

# The compilers' __DATE__ and __TIME__ and the help file's stamp.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$KELVANE_ROOT" log -1 --format=%ct 2>/dev/null) \
        || { say "$KELVANE_ROOT is no git checkout: set SOURCE_DATE_EPOCH to the release's time"; exit 1; }
fi
export SOURCE_DATE_EPOCH

# The link time in a PE file's header (its COFF header follows the "PE\0\0" signature).
pe_time_stamp() {
    local header; header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tu4 -j$((header + 8)) -N4 "$1" | tr -d ' '
}

# package SOURCES WORK ZIP: a fresh 32-bit build of SOURCES in the folder WORK, packed into ZIP.
package() {
    local sources=$1 work=$2 zip=$3
    rm -rf "$work"
    mkdir -p "$work/files" "$(dirname "$zip")"
    cmake -S "$sources" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$sources/cmake/toolchain-i686-mingw.cmake" >"$work/configure.log" 2>&1 \
        || { cat "$work/configure.log"; return 1; }
    cmake --build "$work/build" --target kelvane -j "$KELVANE_JOBS" >"$work/build.log" 2>&1 \
        || { grep -E 'error|Error' "$work/build.log" | head -n 40; return 1; }
    # strip writes the header's link time anew, from SOURCE_DATE_EPOCH or the clock: 0 leaves
    # it empty, as the linker did.
    SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip -o "$work/files/kelvane.exe" "$work/build/kelvane.exe"
    [ "$(pe_time_stamp "$work/files/kelvane.exe")" = 0 ] \
        || { say "FAILED: kelvane.exe carries a time stamp in its header"; return 1; }
    cp "$work/build/Kelvane.HLP" "$work/files/Kelvane.HLP"
    cp "$work/build/Kelvane.html" "$work/files/Kelvane.html"
    sed 's/$/\r/' "$sources/resources/package/readme-ja.txt" | iconv -f UTF-8 -t CP932 >"$work/files/readme.txt"
    python3 "$sources/scripts/make-zip.py" "$zip" "$work/files/kelvane.exe=kelvane.exe" \
        "$work/files/Kelvane.HLP=Kelvane.HLP" "$work/files/Kelvane.html=Kelvane.html" \
        "$work/files/readme.txt=$README_NAME"
    # What a user unpacks, read back from the zip itself.
    python3 - "$zip" kelvane.exe Kelvane.HLP Kelvane.html "$README_NAME" <<'CHECK' || return 1
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as package:
    names = [info.filename.encode("cp437").decode("cp932") if info.flag_bits & 0x800 == 0 else info.filename
             for info in package.infolist()]
missing = [name for name in sys.argv[2:] if name not in names]
for name in missing:
    print("FAILED: %s is not in %s" % (name, sys.argv[1]))
sys.exit(1 if missing else 0)
CHECK
}

sha256() { sha256sum "$1" | cut -d ' ' -f 1; }

dist=$KELVANE_BUILD/dist
package "$KELVANE_ROOT" "$KELVANE_BUILD/package" "$dist/$ZIP_NAME"
files=$KELVANE_BUILD/package/files
say "$dist/$ZIP_NAME: $(stat -c %s "$dist/$ZIP_NAME") bytes, SHA-256 $(sha256 "$dist/$ZIP_NAME")"
say "  kelvane.exe $(stat -c %s "$files/kelvane.exe") bytes, Kelvane.HLP $(stat -c %s "$files/Kelvane.HLP") bytes," \
    "Kelvane.html $(stat -c %s "$files/Kelvane.html") bytes," \
    "$README_NAME $(stat -c %s "$files/readme.txt") bytes; time stamps $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S') UTC"
[ "$twice" = 1 ] || exit 0

twin=$KELVANE_BUILD/package-twin
rm -rf "$twin"
mkdir -p "$twin/sources"
# The sources as they are now, uncommitted changes included, without build output or history.
tar -C "$KELVANE_ROOT" --exclude=./build --exclude=./.git -cf - . | tar -C "$twin/sources" -xf -
CCACHE_DISABLE=1 package "$twin/sources" "$twin/work" "$twin/$ZIP_NAME"
say "$twin/$ZIP_NAME: $(stat -c %s "$twin/$ZIP_NAME") bytes, SHA-256 $(sha256 "$twin/$ZIP_NAME")"
if cmp -s "$dist/$ZIP_NAME" "$twin/$ZIP_NAME"; then
    say "The two builds are identical."
    rm -rf "$twin"
    exit 0
fi
say "FAILED: the two builds differ:"
for name in kelvane.exe Kelvane.HLP Kelvane.html readme.txt; do
    cmp -s "$files/$name" "$twin/work/files/$name" || say "  $name ($(cmp "$files/$name" "$twin/work/files/$name" | head -n 1))"
done
exit 1
