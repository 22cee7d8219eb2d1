#!/bin/sh
# Gives a throwaway copy of the sandbox prefix drive letters that lead into
# the Windows folder, Program Files, the program's own folder and an
# ordinary tree (as SUBST or a mapped drive would), lets the disk tests
# clear through them on both paths, and checks from this side that only the
# ordinary tree lost anything.
# Usage: resident_drives.sh <disk test program>   (KLARVO_WINE: the Wine loader, wine by default)
set -eu
program=$1
case "${WINEPREFIX:-}" in
*-sandbox) ;;
*) echo "refusing to run outside the sandbox prefix: '${WINEPREFIX:-}'" >&2; exit 1 ;;
esac
scratch=$(mktemp -d "${TMPDIR:-/tmp}/klarvo-drives.XXXXXX")
prefix="$scratch/prefix"
finish() { WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$scratch"; }
trap finish EXIT
cp -a "$WINEPREFIX" "$prefix"
c="$prefix/drive_c"
mkdir -p "$c/klarvo-drives/program" "$c/windows/kprobe/sub" "$c/Program Files/KlarvoProbeApp"
for f in klarvo-drives/program/keep.txt windows/kprobe/keep.txt windows/kprobe/sub/keep.txt \
  "Program Files/KlarvoProbeApp/keep.txt"; do echo keep > "$c/$f"; done
ln -s ../drive_c/windows "$prefix/dosdevices/s:"
ln -s "../drive_c/Program Files" "$prefix/dosdevices/p:"
ln -s ../drive_c/klarvo-drives "$prefix/dosdevices/k:"

status=0
for line in nt 9x; do
  mkdir -p "$c/klarvo-drives/tree/sub"
  echo gone > "$c/klarvo-drives/tree/sub/gone.txt"
  rm -f "$prefix/dosdevices/t:"
  ln -s ../drive_c/klarvo-drives/tree "$prefix/dosdevices/t:"
  WINEPREFIX="$prefix" "${KLARVO_WINE:-wine}" "$program" --gtest_filter='DiskDrives.*' \
    '--drives-base=C:\klarvo-drives' "--line=$line" </dev/null || status=$?
  check() { if ! eval "$1"; then echo "FAILED ($line): $2" >&2; status=1; fi; }
  check '[ -f "$c/windows/kprobe/keep.txt" ] && [ -f "$c/windows/kprobe/sub/keep.txt" ]' "emptied through S: inside Windows"
  check '[ -f "$c/Program Files/KlarvoProbeApp/keep.txt" ]' "emptied through P: inside Program Files"
  check '[ -f "$c/klarvo-drives/program/keep.txt" ]' "emptied the program's own folder through K:"
  check '[ ! -e "$c/klarvo-drives/tree/sub/gone.txt" ]' "the ordinary tree behind T: was not cleared"
done
exit $status
