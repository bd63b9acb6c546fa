#!/usr/bin/env bash
# Builds the data file fuzzer in its own build directory and runs it for SECONDS (default 60).
# Exits non-zero when it finds a crash, a leak or a broken invariant; the input is kept under
# the build directory's findings/. Needs clang++ and its fuzzer runtime (libclang-rt-14-dev).
set -euo pipefail

Seconds="${1:-60}"
Root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
Build="${PIMLOFT_FUZZ_BUILD:-${TMPDIR:-/tmp}/pimloft-fuzz-build}"
Generator=()
if command -v ninja >/dev/null; then Generator=(-G Ninja); fi

cmake -S "$Root" -B "$Build" "${Generator[@]}" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIMLOFT_TESTS=OFF -DPIMLOFT_FUZZ=ON >/dev/null
cmake --build "$Build" -j2 --target pimloft_data_file_fuzzer

Corpus="$Build/corpus"
mkdir -p "$Corpus" "$Build/findings"
# One file of each version, its fields all zero: the fuzzer grows texts and links from there.
for Version in 1.00.50 1.00.40 1.00.00; do
    { printf '%s' "$Version"; head -c 1200 /dev/zero; } >"$Corpus/v$Version.ini"
done
"$Build/tests/fuzz/pimloft_data_file_fuzzer" -max_total_time="$Seconds" -max_len=65536 \
    -dict="$Root/tests/fuzz/data_file.dict" -artifact_prefix="$Build/findings/" \
    -print_final_stats=1 "$Corpus"
