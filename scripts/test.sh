#!/usr/bin/env bash
# Runs every test of PimLoft: the native unit tests, both Windows builds (warnings are errors),
# the release package, the data file fuzzer, and the Win32 service tests and end-to-end tests
# under Wine, of the x86_64 exe and, where the kernel runs 32-bit programs, of the i686 one.
# Build trees go to $PIMLOFT_BUILD_DIR (default: build/ in the repository).
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${PIMLOFT_BUILD_DIR:-$repo/build}
fuzz_seconds=${PIMLOFT_FUZZ_SECONDS:-60}
mkdir -p "$build"

bash "$repo/scripts/setup.sh" || { echo "setup failed"; exit 1; }
# Some kernels refuse 32-bit executables: found out before anything 32-bit is installed.
if i686_refused=$(/usr/bin/python3 "$repo/scripts/probe_32bit.py" "$build" 2>&1); then
    bash "$repo/scripts/setup.sh" --wine32 || { echo "setup of 32-bit Wine failed"; exit 1; }
else
    i686_refused="this kernel refuses 32-bit executables (probe: ${i686_refused:-no reason})"
    echo "i686 tests under Wine will be skipped: $i686_refused"
fi

results=()
passed=0
failed=0
skipped=0

step() {
    local name=$1
    shift
    echo
    echo "==== $name"
    local began=$SECONDS
    if "$@"; then
        results+=("PASS  $name ($((SECONDS - began)) s)")
        passed=$((passed + 1))
    else
        results+=("FAIL  $name ($((SECONDS - began)) s)")
        failed=$((failed + 1))
    fi
}

skip() {
    echo
    echo "==== $1: SKIPPED ($2)"
    results+=("SKIP  $1: $2")
    skipped=$((skipped + 1))
}

unit_tests() {
    cmake -S "$repo" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug &&
        cmake --build "$build/native" -j2 &&
        ctest --test-dir "$build/native" --output-on-failure --no-tests=error -j2
}

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer: the first report fails.
sanitized_unit_tests() {
    cmake -S "$repo" -B "$build/sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" &&
        cmake --build "$build/sanitized" -j2 &&
        ASAN_OPTIONS=halt_on_error=1:detect_stack_use_after_return=1 \
            UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            ctest --test-dir "$build/sanitized" --output-on-failure --no-tests=error -j2
}

windows_build() {
    local arch=$1
    cmake -S "$repo" -B "$build/mingw-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$arch.cmake" &&
        cmake --build "$build/mingw-$arch" -j2
}

# The Wine loader of each exe: the "wine" script takes the 32-bit one whenever it is installed.
wine_loader() {
    case $1 in
    i686) echo /usr/lib/wine/wine ;;
    *) if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi ;;
    esac
}

# The Win32 services need a real clipboard, GDI and message loop: their tests run under Wine,
# in one 64-bit prefix, which runs 32-bit exes too.
windows_service_tests() {
    local arch=$1
    local prefix="$build/win32-tests-prefix"
    local wine status=0
    wine=$(wine_loader "$arch")
    cmake -S "$repo" -B "$build/mingw-$arch" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null &&
        cmake --build "$build/mingw-$arch" -j2 &&
        WINEPREFIX="$prefix" WINELOADER="$wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            xvfb-run -a ctest --test-dir "$build/mingw-$arch" --output-on-failure \
            --no-tests=error </dev/null || status=$?
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    return $status
}

# The package from the Release trees built above: no further builds.
release_package() {
    rm -rf "$build/dist" &&
        PIMLOFT_BUILD_DIR="$build" PIMLOFT_DIST_DIR="$build/dist" bash "$repo/scripts/release.sh" &&
        /usr/bin/python3 "$repo/tests/package/check_package.py" "$build/dist" "$build/package"
}

fuzz() {
    PIMLOFT_FUZZ_BUILD="$build/fuzz" bash "$repo/tests/fuzz/run_fuzz.sh" "$fuzz_seconds"
}

# The harness picks the Wine loader from the exe.
end_to_end() {
    local arch=$1
    rm -f "$build/e2e-figures-$arch.txt"
    mkdir -p "$build/e2e"
    PIMLOFT_EXE="$build/mingw-$arch/win32/PimLoft.exe" \
        PIMLOFT_E2E_FIGURES="$build/e2e-figures-$arch.txt" \
        /usr/bin/python3 -m pytest "$repo/tests/e2e" -p no:cacheprovider -rfE -v \
        --basetemp="$build/e2e/$arch" </dev/null
}

step "unit tests (native)" unit_tests
step "unit tests under ASan and UBSan" sanitized_unit_tests
step "Windows build i686" windows_build i686
step "Windows build x86_64" windows_build x86_64
step "Win32 service tests under Wine (x86_64)" windows_service_tests x86_64
[ -n "$i686_refused" ] || step "Win32 service tests under Wine (i686)" windows_service_tests i686
step "release package" release_package
step "data file fuzzer (${fuzz_seconds} s)" fuzz
step "end-to-end tests under Wine (x86_64)" end_to_end x86_64
if [ -n "$i686_refused" ]; then
    skip "i686 tests under Wine" "$i686_refused"
else
    step "end-to-end tests under Wine (i686)" end_to_end i686
fi

echo
echo "==== summary"
printf '%s\n' "${results[@]}"
for arch in x86_64 i686; do
    if [ -s "$build/e2e-figures-$arch.txt" ]; then
        echo "measured ($arch):"
        sed 's/^/  /' "$build/e2e-figures-$arch.txt"
    fi
done
echo "steps: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
