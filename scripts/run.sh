#!/usr/bin/env bash
# Starts the shell. With no usable display it runs on a virtual one, saves
# a screenshot and keeps running until interrupted.
set -euo pipefail
dist_dir=$1
. "$(dirname "$0")/wine-env.sh"
"$klarvo_root/scripts/make-prefix.sh"

run_dir="$klarvo_root/build/run"
mkdir -p "$run_dir"
cp "$dist_dir"/*.exe "$run_dir/"

cleanup() { klarvo_stop_wineserver; klarvo_stop_display; }
trap cleanup EXIT INT TERM

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$run_dir/KlarvoShell.exe" "$@"
  exit 0
fi

klarvo_start_display
wine "$run_dir/KlarvoShell.exe" "$@" &
shell_pid=$!
sleep 4
shot="$klarvo_root/build/screenshot.png"
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$shot"
echo "No display: the shell runs on virtual display $DISPLAY."
echo "Screenshot: $shot"
echo "Press Ctrl+C to stop."
wait "$shell_pid" || true
