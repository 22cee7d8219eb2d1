#!/bin/sh
# The release programs' import check must refuse what Windows 95 lacks:
# run on a probe that imports one function of each kind it must catch.
# Usage: import_check.sh CHECK_SCRIPT PROBE.exe
set -u
out=$("$1" "$2" 2>&1) && { echo "the check passed a program it must refuse:"; echo "$out"; exit 1; }
status=0
for expected in 'kernel32.dll!GetTickCount64, which is not in the table' \
  'comctl32.dll!_TrackMouseEvent, which the table says is runtime' \
  'kernel32.dll!GetModuleHandleW, which the table says is replaced'; do
  case "$out" in
  *"$expected"*) ;;
  *) echo "missing: $expected"; status=1 ;;
  esac
done
[ $status = 0 ] || echo "$out"
exit $status
