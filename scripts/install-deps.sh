#!/usr/bin/env bash
# Installs what building and testing Kelvane needs on a Debian machine, then checks that every
# tool the tests run is there and works. Idempotent: prints nothing when everything is present.
# Stops with a message naming what is missing, and never removes a package to install one.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)

packages=(wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686 g++-mingw-w64-x86-64
          mingw-w64-tools xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic locales
          pulseaudio pulseaudio-utils sox cmake clang-14 libclang-rt-14-dev googletest)
# The resource and help-file generators are Python 3 (standard library only).
command -v python3 >/dev/null 2>&1 || packages+=(python3)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
installed_packages() { dpkg-query -W -f='${db:Status-Status} ${Package}:${Architecture}\n' | awk '$1 == "installed" {print $2}' | sort; }
is_installed() { dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null | grep -qx installed; }

# plan [apt options...]: asks apt, without changing anything, whether the missing packages
# install in one call, and refuses a plan that removes a package. The reason goes to $why.
why=""
plan() {
    local out
    if ! out=$(as_root apt-get install -s --no-install-recommends "$@" "${missing[@]}" 2>&1); then
        why=$(grep -E '^(E:| [^ ].* : Depends)' <<<"$out" | head -n 8); return 1
    fi
    local removed; removed=$(awk '$1 == "Remv" {print $2}' <<<"$out" | tr '\n' ' ')
    if [ -n "$removed" ]; then why="it would remove: $removed"; return 1; fi
}
install() { as_root apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null; }

missing=()
for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    if ! update=$(as_root apt-get update 2>&1); then
        echo "apt-get update could not fetch every index (a mirror in the middle of a sync?):"
        grep -E '^Err:' <<<"$update" | sed 's/^/  /'
    fi
    before=$(installed_packages)
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if plan; then
        install
    elif [ -n "$release" ] && first_why=$why && plan -t "$release"; then
        # With one architecture's index of an origin missing (bookworm-security's i386 one, seen
        # for days), a Multi-Arch: same library has a newer amd64 version there than any i386 one,
        # and both architectures must be at one version. The release's own versions exist in
        # both, so one call that takes them for every package resolves without a removal.
        echo "The plain install does not resolve:"; sed 's/^/  /' <<<"$first_why"
        echo "Installing the $release release's own versions of both architectures in one call"
        install -t "$release"
    else
        echo "Cannot install ${missing[*]}:"; sed 's/^/  /' <<<"$why"
        exit 1
    fi
    removed=$(comm -23 <(echo "$before") <(installed_packages) | tr '\n' ' ')
    if [ -n "$removed" ]; then echo "The install removed packages: $removed"; exit 1; fi
fi

# Wine takes its ANSI code page from the locale; without ja_JP.UTF-8 it silently uses 1252.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "Generating the ja_JP.UTF-8 locale"
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# Everything the build and the tests run, each asked to run; a missing one is named.
absent=()
need() { local what=$1; shift; "$@" >/dev/null 2>&1 </dev/null || absent+=("$what"); }
need "the 64-bit Wine loader (wine64)" /usr/lib/wine/wine64 --version
if "$scripts/kernel-runs-32bit"; then
    need "the 32-bit Wine loader (wine32:i386)" /usr/lib/wine/wine --version
else
    need "wine32:i386 (installed, though this kernel cannot run it)" is_installed wine32:i386
fi
for tool in wineserver pulseaudio pactl parec Xvfb xdotool xdpyinfo xwininfo import sox \
            cmake ctest clang-14 clang++-14 python3; do
    need "$tool" command -v "$tool"
done
for arch in i686 x86_64; do
    for tool in gcc-win32 g++-win32 windres objdump strip; do
        need "$arch-w64-mingw32-$tool" "$arch-w64-mingw32-$tool" --version
    done
done
need "the GoogleTest sources" test -f /usr/src/googletest/CMakeLists.txt
need "Wine's fonts (fonts-wine)" test -d /usr/share/wine/fonts
need "the IPA Gothic font" test -f /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
need "the ja_JP.UTF-8 locale" grep -qix 'ja_JP.utf8' <(locale -a)
if [ ${#absent[@]} -gt 0 ]; then
    printf 'Missing after the install:\n'; printf '  %s\n' "${absent[@]}"
    exit 1
fi
