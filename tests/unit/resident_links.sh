#!/bin/sh
# Builds a tree holding Unix links inside the sandbox prefix's drive C:
# (Wine itself cannot make links), lets the disk tests clear it, and checks
# from this side that nothing the links point to was touched.
# Usage: resident_links.sh <disk test program>   (KLARVO_WINE: the Wine loader, wine by default)
set -eu
program=$1
case "${WINEPREFIX:-}" in
*-sandbox) ;;
*) echo "refusing to run outside the sandbox prefix: '${WINEPREFIX:-}'" >&2; exit 1 ;;
esac
drive_c="$WINEPREFIX/drive_c"
base=$(mktemp -d "$drive_c/klarvo-links.XXXXXX")
trap 'rm -rf "$base"' EXIT

mkdir -p "$base/tree/sub" "$base/outside/deeper"
echo keep > "$base/outside/keep.txt"
echo keep > "$base/outside/deeper/keep.txt"
echo gone > "$base/tree/plain.txt"
echo gone > "$base/tree/sub/inner.txt"
ln -s ../outside "$base/tree/dirlink"
ln -s "$base/outside" "$base/tree/sub/abslink"
ln -s ../outside/keep.txt "$base/tree/filelink.txt"
ln -s outside "$base/rootlink"
# Names Windows maps to devices: never opened, never deleted.
echo dev > "$base/tree/NUL"
echo dev > "$base/tree/com1.txt"

status=0
"${KLARVO_WINE:-wine}" "$program" --gtest_filter='DiskLinks.*' "--links-base=C:\\$(basename "$base")" </dev/null || status=$?

check() { if ! eval "$1"; then echo "FAILED: $2" >&2; status=1; fi; }
check '[ -f "$base/outside/keep.txt" ]' "the target of the links lost keep.txt"
check '[ -f "$base/outside/deeper/keep.txt" ]' "the target of the links lost deeper/keep.txt"
check '[ -L "$base/tree/dirlink" ]' "the relative directory link was removed"
check '[ -L "$base/tree/sub/abslink" ]' "the absolute directory link was removed"
check '[ -L "$base/tree/filelink.txt" ]' "the file link was removed"
check '[ -L "$base/rootlink" ]' "the link beside the tree was removed"
check '[ ! -e "$base/tree/plain.txt" ]' "plain.txt was not deleted"
check '[ ! -e "$base/tree/sub/inner.txt" ]' "sub/inner.txt was not deleted"
check '[ -f "$base/tree/NUL" ] && [ -f "$base/tree/com1.txt" ]' "a file named like a device was deleted"
exit $status
