#!/bin/sh
# Gives a throwaway copy of the sandbox prefix drive letters that lead into
# the Windows folder, Program Files, the program's own folder and an
# ordinary tree (as SUBST or a mapped drive would), at them and rooted one
# and two levels inside them; lets the disk tests clear through them on both
# paths; and checks from this side that only the ordinary tree lost anything.
# Wine makes a letter of two kinds: one that exists when the prefix's
# services start is a disk of its own, with its own serial number; one made
# while they run has no device behind it. Both kinds are tried.
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
app="Program Files/KlarvoProbeApp"
# The folders that must keep their keep.txt; @ stands for a blank.
kept="klarvo-drives/program windows/kprobe windows/kprobe/sub windows/kprobe/deep windows/kprobe/deep/sub
  Program@Files/KlarvoProbeApp Program@Files/KlarvoProbeApp/data Program@Files/KlarvoProbeApp/data/x"
blank() { echo "$1" | tr @ ' '; }
for d in $kept; do d=$(blank "$d"); mkdir -p "$c/$d"; echo keep > "$c/$d/keep.txt"; done
ln -s ../drive_c/windows "$prefix/dosdevices/s:"
ln -s "../drive_c/Program Files" "$prefix/dosdevices/p:"
ln -s ../drive_c/klarvo-drives "$prefix/dosdevices/k:"
# Rooted inside: one level (W:, Q:) and two (V:, R:).
inside() {
  for l in w v q r; do rm -f "$prefix/dosdevices/$l:"; done
  ln -s ../drive_c/windows/kprobe "$prefix/dosdevices/w:"
  ln -s ../drive_c/windows/kprobe/deep "$prefix/dosdevices/v:"
  ln -s "../drive_c/$app" "$prefix/dosdevices/q:"
  ln -s "../drive_c/$app/data" "$prefix/dosdevices/r:"
}

status=0
for kind in start running; do
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  if [ $kind = start ]; then
    inside
  else
    WINEPREFIX="$prefix" wineserver -p
    WINEPREFIX="$prefix" "${KLARVO_WINE:-wine}" cmd /c exit </dev/null >/dev/null 2>&1 || true
    inside
  fi
  for line in nt nt4 9x; do
    mkdir -p "$c/klarvo-drives/tree/sub"
    echo gone > "$c/klarvo-drives/tree/sub/gone.txt"
    rm -f "$prefix/dosdevices/t:"
    ln -s ../drive_c/klarvo-drives/tree "$prefix/dosdevices/t:"
    WINEPREFIX="$prefix" "${KLARVO_WINE:-wine}" "$program" --gtest_filter='DiskDrives.*' \
      '--drives-base=C:\klarvo-drives' "--line=$line" </dev/null || status=$?
    for d in $kept; do
      d=$(blank "$d")
      if [ ! -f "$c/$d/keep.txt" ]; then
        echo "FAILED ($kind, $line): C:\\$d was emptied through a drive letter" >&2
        status=1
        echo keep > "$c/$d/keep.txt"
      fi
    done
    if [ -e "$c/klarvo-drives/tree/sub/gone.txt" ]; then
      echo "FAILED ($kind, $line): the ordinary tree behind T: was not cleared" >&2
      status=1
    fi
    if for d in $kept; do ls -a "$c/$(blank "$d")"; done | grep -qi 'klarvo~.*\.mrk'; then
      echo "FAILED ($kind, $line): a trial file was left in a protected place" >&2
      status=1
    fi
  done
done
exit $status
