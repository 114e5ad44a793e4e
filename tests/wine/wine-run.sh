#!/usr/bin/env bash
# wine-run.sh WINE_ROOT PROGRAM [ARGS...]
#
# Runs a Windows program under the 64-bit Wine loader in a fresh, disposable
# copy of a template prefix kept under WINE_ROOT, with HOME inside that copy and
# a private Xvfb display, and returns the program's exit code. Nothing outside
# WINE_ROOT is touched. ZR_KEEP_PREFIX=1 keeps the copy for inspection.
set -u
root=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver

mkdir -p "$root"
# One template per build tree; concurrent tests wait for the first to make it.
(
  flock 9
  [ -f "$root/template/ready" ] || "$here/make-template-prefix.sh" "$root/template" >&2
) 9>"$root/template.lock" || { echo "wine-run: no template prefix" >&2; exit 125; }

run=$(mktemp -d "$root/run.XXXXXX")
# Hard links are safe for the large program files that nothing writes; every
# other file (registry hives, folders' content) is copied so that the test's
# changes stay in its own copy.
cp -al "$root/template/prefix" "$run/prefix"
(cd "$run/prefix" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.sys' \
   ! -iname '*.nls' ! -iname '*.drv' -exec cp --remove-destination \
   "$root/template/prefix/{}" "{}" \; )
mkdir -p "$run/home"

export WINEPREFIX="$run/prefix" HOME="$run/home" WINELOADER="$loader" WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=;winedbg.exe=d"
export ZR_RUN_DIR="$run"

# A display of our own: -displayfd picks a free number and writes it back.
Xvfb -displayfd 7 -nolisten tcp -screen 0 1024x768x24 7>"$run/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$run/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$run/display")"

timeout --kill-after=10 "${ZR_WINE_TIMEOUT:-240}" "$loader" "$@"
rc=$?

if [ $rc -ne 0 ]; then echo "wine-run: $(basename "$1") ended with exit code $rc" >&2; fi

# End this prefix's server and wait until it is gone: the next test's prefix
# may get the same inode, and with it the same server socket.
timeout 20 "$server" -k 2>/dev/null
timeout 20 "$server" -w 2>/dev/null
kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
if [ "${ZR_KEEP_PREFIX:-0}" = 1 ]; then
  echo "wine-run: prefix kept in $run" >&2
else
  rm -rf "$run"
fi
exit $rc
