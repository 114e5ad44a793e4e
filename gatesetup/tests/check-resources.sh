#!/usr/bin/env bash
# check-resources.sh EXE ARCHIVE
# Checks the resources of a built gatesetup.exe without running it, so that
# the shipped i686 program is checked too: exactly the expected resources, all
# in English (United States), and the payload byte for byte the packed archive.
# (The x86_64 build's Wine test reads the dialog templates themselves.)
set -u
exe=$1 archive=$2
expected="BIN 105 1033
2 106 1033
2 107 1033
2 108 1033
3 1 1033
5 102 1033
5 104 1033
5 109 1033
14 101 1033
24 1 1033"
actual=$(wrestool -l "$exe" | sed -n "s/^--type=\\(''\\)*'\\{0,1\\}\\([^' ]*\\)'\\{0,1\\} --name=\\([^ ]*\\) --language=\\([0-9]*\\).*/\\2 \\3 \\4/p")
status=0
if [ "$actual" != "$expected" ]; then
  echo "resources differ:"; diff <(echo "$expected") <(echo "$actual"); status=1
fi
if ! wrestool -x --raw --type=BIN --name=105 "$exe" | cmp -s - "$archive"; then
  echo "payload resource 105 differs from $archive"; status=1
fi
[ $status -eq 0 ] && echo "ok: resources of $exe"
exit $status
