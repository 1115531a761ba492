#!/bin/bash
# Zarnel.dll as the loader sees it: exactly check, finish and run exported by
# their plain names, and nothing imported but system DLLs.
set -uo pipefail
DLL="$1"
dump="$(i686-w64-mingw32-objdump -p "$DLL")" || { echo "objdump failed on $DLL"; exit 1; }

exports="$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')"
echo "exports: $exports"
[ "$exports" = "check finish run " ] || { echo "FAIL: exports must be exactly check finish run"; exit 1; }

system="KERNEL32.dll msvcrt.dll SHELL32.dll WININET.dll USER32.dll ADVAPI32.dll"
status=0
for dll in $(sed -n 's/^\s*DLL Name: //p' <<<"$dump"); do
  echo "imports: $dll"
  tr " " "\n" <<<"$system" | grep -qixF -- "$dll" || { echo "FAIL: $dll is not a system DLL"; status=1; }
done
exit $status
