#!/usr/bin/env bash
# check-imports.sh OBJDUMP EXE
# Fails unless every DLL that EXE imports is one of Windows' own system DLLs:
# a runtime DLL (libgcc_s, libstdc++, libwinpthread) would be missing on a
# clean system, or be picked up from the download folder.
set -u
objdump=$1 exe=$2
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll comctl32.dll
comdlg32.dll msvcrt.dll shlwapi.dll oleaut32.dll"
[ -f "$exe" ] || { echo "missing: $exe"; exit 1; }
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no import table read from $exe"; exit 1; }
status=0
for dll in $dlls; do
  case " $(echo $allowed) " in
    *" $dll "*) echo "ok: $dll" ;;
    *) echo "NOT ALLOWED: $dll"; status=1 ;;
  esac
done
exit $status
