#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is
# missing. Runs apt-get as root (or through sudo).
set -euo pipefail
packages=(
  cmake ninja-build g++ googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth icoutils
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# wine32 is never wanted: no 32-bit code can run on these machines, and the
# wine wrapper would prefer it and fail.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
