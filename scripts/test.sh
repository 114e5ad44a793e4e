#!/usr/bin/env bash
# Builds everything and runs every test: the native tests of the plain logic
# and the packer, the checks of both builds' programs, and the unit and
# end-to-end tests of the x86_64 build under Wine (each test program in a
# fresh Wine prefix with its own HOME and X display inside build/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh "$@"

status=0
for build in native i686 x86_64; do
  echo "== tests: $build"
  cmake --build "build/$build"
  ctest --test-dir "build/$build" --output-on-failure -j2 || status=1
done
exit $status
