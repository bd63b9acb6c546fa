#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, and nothing that is already there.
# With --wine32, also 32-bit Wine for the i686 exe (the i386 architecture, wine32:i386,
# libcups2:i386 and libgnutls30:i386): only for a machine whose kernel runs 32-bit programs,
# which test.sh finds out first with scripts/probe_32bit.py. Wine's bcrypt makes its keys with
# GnuTLS, hence libgnutls30.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest libgtest-dev
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64
    wine wine64 libgnutls30 xvfb xdotool xclip x11-utils imagemagick
    clang libclang-rt-14-dev python3 python3-pytest
    cups printer-driver-cups-pdf poppler-utils
)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

if [ $# -gt 1 ] || { [ $# -eq 1 ] && [ "$1" != --wine32 ]; }; then
    echo "usage: setup.sh [--wine32]" >&2
    exit 2
fi
if [ "${1:-}" = --wine32 ]; then
    packages+=(wine32:i386 libcups2:i386 libgnutls30:i386)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "setup: adding the i386 architecture for 32-bit Wine"
        "${as_root[@]}" dpkg --add-architecture i386
    fi
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages present"
    exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q "${missing[@]}" </dev/null
