#!/usr/bin/env bash
# Builds the release package: dist/PimLoft-<version>-win32.zip (i686, the release target),
# dist/PimLoft-<version>-win64.zip (x86_64) and dist/SHA256SUMS. The same commit gives the same
# bytes. Build trees: $PIMLOFT_BUILD_DIR/mingw-<arch> (default: build/), the ones test.sh uses;
# output folder: $PIMLOFT_DIST_DIR (default: dist/).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${PIMLOFT_BUILD_DIR:-$repo/build}
dist=${PIMLOFT_DIST_DIR:-$repo/dist}

bash "$repo/scripts/setup.sh"

for arch in i686 x86_64; do
    cmake -S "$repo" -B "$build/mingw-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$arch.cmake" >/dev/null
    cmake --build "$build/mingw-$arch" -j2 --target PimLoft
done

# The project's version is major.minor.0.revision; the package is named major.minor.revision.
cache_value() {
    sed -n "s/^$1:STATIC=//p" "$build/mingw-i686/CMakeCache.txt"
}
version=$(cache_value CMAKE_PROJECT_VERSION_MAJOR).$(cache_value CMAKE_PROJECT_VERSION_MINOR)
version=$version.$(cache_value CMAKE_PROJECT_VERSION_TWEAK)

mkdir -p "$dist"
for pair in win32:i686 win64:x86_64; do
    /usr/bin/python3 - "$dist/PimLoft-$version-${pair%%:*}.zip" \
        "PimLoft.exe=$build/mingw-${pair#*:}/win32/PimLoft.exe" \
        "PimLoft.html=$repo/resources/PimLoft.html" \
        "README.txt=$repo/resources/README.txt" \
        "LICENSE=$repo/LICENSE" <<'EOF'
import sys, zipfile

# Fixed order, time and permissions, so that only the contents decide the bytes.
target, entries = sys.argv[1], dict(arg.split("=", 1) for arg in sys.argv[2:])
with zipfile.ZipFile(target + ".part", "w") as archive:
    for name in sorted(entries):
        data = open(entries[name], "rb").read()
        if name.endswith((".txt", "LICENSE")):
            data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")  # for Notepad
        info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        info.create_system = 3  # Unix, so that the mode below is the one unzip applies
        info.external_attr = 0o100644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, data, compresslevel=9)
EOF
    mv "$dist/PimLoft-$version-${pair%%:*}.zip.part" "$dist/PimLoft-$version-${pair%%:*}.zip"
done

(cd "$dist" && sha256sum "PimLoft-$version-win32.zip" "PimLoft-$version-win64.zip" >SHA256SUMS)
ls -l "$build/mingw-i686/win32/PimLoft.exe" "$build/mingw-x86_64/win32/PimLoft.exe"
echo "release: $dist"
sed 's/^/  /' "$dist/SHA256SUMS"
