#!/usr/bin/env bash
# Runs every test of PimLoft: the native unit tests, both Windows builds (warnings are errors),
# the release package, the data file fuzzer, and the end-to-end tests of the x86_64 program
# under Wine.
# Build trees go to $PIMLOFT_BUILD_DIR (default: build/ in the repository).
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${PIMLOFT_BUILD_DIR:-$repo/build}
fuzz_seconds=${PIMLOFT_FUZZ_SECONDS:-60}
mkdir -p "$build"

bash "$repo/scripts/setup.sh" || { echo "setup failed"; exit 1; }

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
    cmake -S "$repo" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPIMLOFT_BENCH=ON &&
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

# The Win32 services need a real clipboard, GDI and message loop: their tests run under Wine.
windows_service_tests() {
    local prefix="$build/win32-tests-prefix"
    local status=0
    cmake -S "$repo" -B "$build/mingw-x86_64" -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null &&
        cmake --build "$build/mingw-x86_64" -j2 &&
        WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            xvfb-run -a ctest --test-dir "$build/mingw-x86_64" --output-on-failure \
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

end_to_end() {
    rm -f "$build/e2e-figures.txt"
    PIMLOFT_EXE="$build/mingw-x86_64/win32/PimLoft.exe" \
        PIMLOFT_E2E_FIGURES="$build/e2e-figures.txt" \
        /usr/bin/python3 -m pytest "$repo/tests/e2e" -p no:cacheprovider -rfE -v \
        --basetemp="$build/e2e" </dev/null
}

step "unit tests (native)" unit_tests
step "unit tests under ASan and UBSan" sanitized_unit_tests
step "Windows build i686" windows_build i686
step "Windows build x86_64" windows_build x86_64
step "Win32 service tests under Wine" windows_service_tests
step "release package" release_package
step "data file fuzzer (${fuzz_seconds} s)" fuzz
step "end-to-end tests under Wine" end_to_end

echo
echo "==== summary"
printf '%s\n' "${results[@]}"
if [ -s "$build/e2e-figures.txt" ]; then
    echo "measured:"
    sed 's/^/  /' "$build/e2e-figures.txt"
fi
echo "steps: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
