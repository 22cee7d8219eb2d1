#!/usr/bin/env bash
# Starts the shell from build/run/, laid out as an installed copy: the two
# programs, default.wav and backgrounds\ side by side, so that a first run
# finds the sound and the pictures. With no usable display it runs on a
# virtual one, saves a screenshot and keeps running until interrupted;
# Ctrl+C then ends the shell and everything started for it, and the script
# ends with status 0.
set -euo pipefail
dist_dir=$1; shift
. "$(dirname "$0")/wine-env.sh"
"$klarvo_root/scripts/make-prefix.sh"

run_dir="$klarvo_root/build/run"
mkdir -p "$run_dir/backgrounds"
cp "$dist_dir/KlarvoShell.exe" "$dist_dir/Klarvo.exe" "$dist_dir/default.wav" "$run_dir/"
cp "$dist_dir"/backgrounds/* "$run_dir/backgrounds/"

shell_pid=
cleanup() {
  # The programs first, the display last: a program that loses its display
  # complains. An interrupt is how a person ends this script, so it stays
  # quiet and ends with status 0.
  klarvo_stop_wineserver
  if [ -n "$shell_pid" ]; then wait "$shell_pid" 2>/dev/null || true; fi
  klarvo_stop_display
}
trap cleanup EXIT
trap 'exit 0' INT TERM
# Ctrl+C reaches every process of the terminal's foreground group. The
# display and the programs start in groups of their own (job control), so
# that only this script hears it and ends them in order.
set -m
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$run_dir/KlarvoShell.exe" "$@" &
  shell_pid=$!
  wait "$shell_pid" || true
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
