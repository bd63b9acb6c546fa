#!/usr/bin/env bash
# Builds the x86_64 PimLoft.exe and starts it under Wine. The program and its data file live in
# build/run (or $PIMLOFT_BUILD_DIR/run). Without a display, a virtual one is started for it.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${PIMLOFT_BUILD_DIR:-$repo/build}

bash "$repo/scripts/setup.sh"
cmake -S "$repo" -B "$build/mingw-x86_64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-x86_64.cmake"
cmake --build "$build/mingw-x86_64" -j2

mkdir -p "$build/run"
cp "$build/mingw-x86_64/win32/PimLoft.exe" "$build/run/"
[ ! -f "$repo/resources/PimLoft.html" ] || cp "$repo/resources/PimLoft.html" "$build/run/"

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

xvfb_pid=
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop_xvfb EXIT

if [ -z "${DISPLAY:-}" ]; then
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp &
    xvfb_pid=$!
    read -r -u "$display_fd" number
    export DISPLAY=":$number"
    echo "No display: PimLoft runs on the virtual display $DISPLAY (xdotool, import -window root)."
fi

echo "Starting PimLoft from $build/run: it sits in the tray; double-click its icon to show it."
cd "$build/run"
# The 64-bit loader itself: the "wine" script takes the 32-bit one whenever it is installed.
wine=wine
if [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
fi
"$wine" PimLoft.exe
