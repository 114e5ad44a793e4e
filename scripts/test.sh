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
  repeat=()
  # Rarely (once in about ten full runs here) a Wine test program ended at
  # once, before printing anything: Wine failing to start, not the test.
  # Such a test gets a second run; its first failure stays in the log.
  [ "$build" = x86_64 ] && repeat=(--repeat until-pass:2)
  ctest --test-dir "build/$build" --output-on-failure -j2 "${repeat[@]}" || status=1
done
exit $status
