#!/usr/bin/env bash
# Builds both installers: dist/i686/{zrsetup,gatesetup}.exe (the programs to
# ship) and dist/x86_64/ (the same sources, which the tests run under Wine).
# Extra arguments are passed to CMake for both builds, for example
#   scripts/build.sh -DZR_ZRSETUP_PAYLOAD_DIR=/path/to/package
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native --target zrpack

for arch in i686 x86_64; do
  cmake -S . -B "build/$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch-w64-mingw32.cmake" \
    -DZR_PACKER="$PWD/build/native/tools/packer/zrpack" "$@" >/dev/null
  cmake --build "build/$arch" --target zrsetup gatesetup
done
ls -l dist/i686/*.exe dist/x86_64/*.exe
