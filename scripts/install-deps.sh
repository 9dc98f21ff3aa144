#!/usr/bin/env bash
# Installs what building and testing Kelvane needs on a Debian machine.
# Idempotent and quiet: prints nothing when everything is already present.
set -euo pipefail

packages=(wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686 g++-mingw-w64-x86-64
          mingw-w64-tools xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic locales
          pulseaudio pulseaudio-utils sox cmake clang-14 libclang-rt-14-dev)
# The resource and help-file generators are Python 3 (standard library only).
command -v python3 >/dev/null 2>&1 || packages+=(python3)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in the middle of a sync fails one index (seen with bookworm-security's i386
    # one): install from what did arrive rather than stop here.
    as_root apt-get update -qq >/dev/null 2>&1 || echo "apt-get update reported errors; installing from the indexes it got"
    if ! as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        # Without 32-bit Wine the scripts build the 32-bit program and run the 64-bit one.
        rest=()
        for p in "${missing[@]}"; do [[ $p == *:i386 ]] || rest+=("$p"); done
        echo "Could not install every package; trying without the 32-bit ones"
        as_root apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
    fi
fi

# Wine takes its ANSI code page from the locale; without ja_JP.UTF-8 it silently uses 1252.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "Generating the ja_JP.UTF-8 locale"
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
