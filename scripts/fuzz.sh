#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UBSan, libFuzzer) and
# runs each for a while: scripts/fuzz.sh [SECONDS] (default 60). Not part of
# the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZR_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz --target zr_settings_file_fuzzer
mkdir -p build/fuzz/run && cd build/fuzz/run
../zrsetup/integration/tests/fuzz/zr_settings_file_fuzzer -max_total_time="$seconds" -max_len=4096
