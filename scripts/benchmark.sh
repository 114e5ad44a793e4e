#!/usr/bin/env bash
# Runs the benchmarks under Wine in a fresh prefix and prints their ratios
# against a baseline measured in the same run (absolute times vary between
# machines). Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build/x86_64 ] || scripts/build.sh
cmake --build build/x86_64 --target zr_extraction_benchmark
tests/wine/wine-run.sh "$PWD/build/x86_64/wine" "$PWD/build/x86_64/zrsetup/extract/zr_extraction_benchmark.exe"
