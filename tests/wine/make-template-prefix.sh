#!/usr/bin/env bash
# make-template-prefix.sh DIR
# Creates the Wine prefix that every test run copies: a fresh prefix whose
# Desktop and Documents are real, separate folders inside it (a new prefix links
# them all to $HOME), and whose X11 driver does not manage windows (hiding a
# managed window waits 2 s without a window manager).
set -eu
dir=$1
rm -rf "$dir"; mkdir -p "$dir/home"
export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINELOADER=/usr/lib/wine/wine64 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=;winedbg.exe=d"
unset DISPLAY
timeout 180 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
timeout 60 /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
timeout 60 /usr/lib/wine/wineserver -w
for profile in "$WINEPREFIX"/drive_c/users/*/; do
  for link in Desktop Documents Downloads Music Pictures Videos Templates; do
    if [ -L "$profile$link" ]; then rm "$profile$link"; mkdir "$profile$link"; fi
  done
done
[ -f "$WINEPREFIX/system.reg" ] || { echo "make-template-prefix: wineboot failed" >&2; exit 1; }
touch "$dir/ready"
