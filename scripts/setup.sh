#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, and nothing that is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64
    wine wine64 xvfb xdotool xclip x11-utils imagemagick
    clang libclang-rt-14-dev python3 python3-pytest
    cups printer-driver-cups-pdf poppler-utils
)

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

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q "${missing[@]}" </dev/null
