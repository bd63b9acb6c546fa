#!/usr/bin/env bash
# Builds and runs the data file fuzzer for SECONDS (default 60); a failing input is kept in
# findings/. Needs clang++, its fuzzer runtime (libclang-rt-14-dev) and ninja.
set -euo pipefail

Seconds="${1:-60}"
Root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
Build="${PIMLOFT_FUZZ_BUILD:-${TMPDIR:-/tmp}/pimloft-fuzz-build}"

cmake -S "$Root" -B "$Build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
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
