#!/bin/sh
# Builds a tree holding Unix links inside the sandbox prefix's drive C:
# (Wine itself cannot make links), lets the disk tests clear it, and checks
# from this side that nothing the links point to was touched.
# Usage: resident_links.sh <disk test program> [nt|nt4|9x]   (KLARVO_WINE: the Wine loader, wine by default)
# nt4 takes the NT line without the functions later systems added. With 9x,
# only the odd names, the deep tree and a chosen path through a link, through
# the path of Windows 95 and 98, which has no links of its own to defend
# against inside a tree.
set -eu
program=$1
line=${2:-nt}
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
# Names the API would resolve to another entry ("x." opens "x").
mkdir "$base/odd"
for name in x "x." "..." ".. "; do echo odd > "$base/odd/$name"; done
# 2,000 levels: far past what a path of MAX_PATH reaches.
(cd "$base" && mkdir deep && cd deep && i=0 && while [ $i -lt 2000 ]; do echo x > f; mkdir d; cd d; i=$((i + 1)); done && echo keep > bottom.txt)
# A tree to preview and then clear: links, device and odd names, and 200
# levels, past what a path reaches. Windows 9x has no file links to defend
# against, and Wine shows one as a plain file.
mkdir -p "$base/preview/sub"
echo gone > "$base/preview/plain.txt"
echo gone > "$base/preview/sub/inner.txt"
ln -s ../outside "$base/preview/dirlink"
ln -s "$base/outside" "$base/preview/sub/abslink"
[ "$line" = 9x ] || ln -s ../outside/keep.txt "$base/preview/filelink.txt"
for name in NUL com1.txt x "x." "..."; do echo odd > "$base/preview/$name"; done
(cd "$base/preview" && i=0 && while [ $i -lt 200 ]; do echo x > f; mkdir d; cd d; i=$((i + 1)); done && echo keep > bottom.txt)
# Entries swapped for links to outside files while the cleaner works.
mkdir -p "$base/race" "$base/swap"
i=0; while [ $i -lt 20 ]; do echo keep > "$base/outside/race$i.txt"; i=$((i + 1)); done
# And a folder swapped for a link to a folder outside, mid-walk.
mkdir -p "$base/outside/racedir"
i=0; while [ $i -lt 20 ]; do echo keep > "$base/outside/racedir/keep$i.txt"; i=$((i + 1)); done
swap_folder() {
    n=0
    while :; do
        n=$((n + 1))
        mkdir -p "$base/swap/real$n" && echo x > "$base/swap/real$n/f.txt" || true
        mv -T "$base/race/dir" "$base/swap/old$n" 2>/dev/null || true
        mv -T "$base/swap/real$n" "$base/race/dir" 2>/dev/null || true
        mv -T "$base/race/dir" "$base/swap/gone$n" 2>/dev/null || true
        ln -sfn "$base/outside/racedir" "$base/race/dir" 2>/dev/null || true
        rm -rf "$base/swap/old$n" "$base/swap/gone$n" "$base/swap/real$n" 2>/dev/null || true
    done
}
swap() {
    while :; do
        i=0
        while [ $i -lt 20 ]; do
            ln -sfn "$base/outside/race$i.txt" "$base/swap/f$i" && mv -fT "$base/swap/f$i" "$base/race/f$i" || true
            echo x > "$base/swap/f$i" && mv -fT "$base/swap/f$i" "$base/race/f$i" || true
            i=$((i + 1))
        done
    done
}
swap &
swapper=$!
swap_folder &
folder_swapper=$!
trap 'kill $swapper $folder_swapper 2>/dev/null || true; rm -rf "$base"' EXIT

status=0
filter='DiskLinks.*'
[ "$line" = 9x ] && filter='DiskLinks.OddNames*:DiskLinks.AChosenPath*:DiskLinks.PreviewIs*'
"${KLARVO_WINE:-wine}" "$program" "--gtest_filter=$filter" "--line=$line" "--links-base=C:\\$(basename "$base")" </dev/null || status=$?
kill $swapper $folder_swapper 2>/dev/null || true
wait $swapper $folder_swapper 2>/dev/null || true

check() { if ! eval "$1"; then echo "FAILED: $2" >&2; status=1; fi; }
check '[ -f "$base/tree/NUL" ] && [ -f "$base/tree/com1.txt" ]' "a file named like a device was deleted"
check '[ ! -e "$base/odd/x" ]' "x beside the odd names was not deleted"
check '[ -f "$base/odd/x." ] && [ -f "$base/odd/..." ] && [ -f "$base/odd/.. " ]' "an oddly named file was deleted"
check '[ ! -e "$base/deep/f" ]' "the top of the deep tree was not cleared"
bottom_kept() { (cd "$base/deep" && i=0 && while [ $i -lt 2000 ]; do cd d; i=$((i + 1)); done && [ -f bottom.txt ]); }
check bottom_kept "the bottom of the deep tree was reached"
check '[ -f "$base/outside/keep.txt" ]' "the target of the links lost keep.txt"
check '[ -f "$base/outside/deeper/keep.txt" ]' "the target of the links lost deeper/keep.txt"
check '[ ! -e "$base/preview/plain.txt" ] && [ -f "$base/preview/x." ] && [ -L "$base/preview/dirlink" ]' \
  "the previewed tree was not cleared as previewed"
[ "$line" = 9x ] && exit $status
check '[ -L "$base/tree/dirlink" ]' "the relative directory link was removed"
check '[ -L "$base/tree/sub/abslink" ]' "the absolute directory link was removed"
check '[ -L "$base/tree/filelink.txt" ]' "the file link was removed"
check '[ -L "$base/rootlink" ]' "the link beside the tree was removed"
check '[ ! -e "$base/tree/plain.txt" ]' "plain.txt was not deleted"
check '[ ! -e "$base/tree/sub/inner.txt" ]' "sub/inner.txt was not deleted"
i=0; while [ $i -lt 20 ]; do
  check '[ -f "$base/outside/race$i.txt" ]' "race$i.txt outside was deleted through a swapped link"
  check '[ -f "$base/outside/racedir/keep$i.txt" ]' "racedir/keep$i.txt outside was deleted through a folder swapped for a link"
  i=$((i + 1))
done
exit $status
