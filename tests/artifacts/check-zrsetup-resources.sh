#!/usr/bin/env bash
# check-zrsetup-resources.sh EXE
# Checks with wrestool (no Wine needed, so the i686 build runs it too) that
# zrsetup.exe holds exactly its resources, all in English (United States), its
# pictures with their sizes in 16 colours, its two icon groups with one 32 x 32
# 16-colour image each, and the manifest that requires administrator rights.
set -u
exe=$1
[ -f "$exe" ] || { echo "missing: $exe"; exit 1; }
status=0
fail() { echo "FAIL: $*"; status=1; }

expected="--type='BIN' --name=103 --language=1033
--type=2 --name=104 --language=1033
--type=2 --name=105 --language=1033
--type=2 --name=106 --language=1033
--type=3 --name=1 --language=1033
--type=3 --name=2 --language=1033
--type=5 --name=101 --language=1033
--type=5 --name=102 --language=1033
--type=5 --name=107 --language=1033
--type=5 --name=111 --language=1033
--type=5 --name=121 --language=1033
--type=14 --name='IDI_ICON1' --language=1033
--type=14 --name='IDI_ZRICON' --language=1033
--type=24 --name=1 --language=1033"
listing=$(wrestool -l "$exe" | awk '{print $1, $2, $3}')
[ "$listing" = "$expected" ] || fail "resource listing differs:"$'\n'"$listing"

# Unsigned little-endian integer of `count` bytes at `offset` of stdin.
field() { od -A n -t "u$2" -j "$1" -N "$2" | tr -d ' '; }

# A bitmap resource is a BITMAPINFOHEADER: width at 4, height at 8, bits at 14.
for picture in "104 400 144" "105 400 48" "106 400 48"; do
  set -- $picture
  bytes=$(mktemp); wrestool -x --raw --type=2 --name="$1" "$exe" >"$bytes"
  got="$(field 4 4 <"$bytes") $(field 8 4 <"$bytes") $(field 14 2 <"$bytes")"
  [ "$got" = "$2 $3 4" ] || fail "bitmap $1: width height bits = $got, want $2 $3 4"
  rm -f "$bytes"
done

# A group icon: count at 4, then the entry: width, height, colours, bit count
# at 12 and the image's id at 18.
for group in IDI_ICON1 IDI_ZRICON; do
  bytes=$(mktemp); wrestool -x --raw --type=14 --name="$group" "$exe" >"$bytes"
  got="$(field 4 2 <"$bytes") $(field 6 1 <"$bytes") $(field 7 1 <"$bytes") $(field 8 1 <"$bytes") $(field 12 2 <"$bytes")"
  [ "$got" = "1 32 32 16 4" ] || fail "icon group $group: count w h colours bits = $got"
  rm -f "$bytes"
done

wrestool -x --raw --type=24 --name=1 "$exe" |
  grep -q '<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>' ||
  fail "the manifest does not require administrator rights"

[ $status -eq 0 ] && echo "ok: $exe"
exit $status
