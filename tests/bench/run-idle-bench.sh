#!/usr/bin/env bash
# Runs the idle benchmark: the release programs from dist/ (make dist) and
# the floor program from the tests tree (make build), copied into the
# sandbox prefix, whose C: drive is all the cleaner can reach. Extra
# arguments go to the benchmark (--seconds=N); IDLE_PROGRAMS names another
# folder holding the two release programs (an older build, to compare). Besides the benchmark's own
# table it prints the CPU seconds that the Wine server and the virtual
# display spent meanwhile: drawing and messages cost there too.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tests_dir=${BUILD_TESTS:-$root/build/i686}
programs=${IDLE_PROGRAMS:-$root/dist}
. "$root/scripts/wine-env.sh"
"$root/scripts/make-prefix.sh"
sandbox="$WINEPREFIX-sandbox"
place="$sandbox/drive_c/idle-bench"
rm -rf "$place"
mkdir -p "$place"
cp "$programs/KlarvoShell.exe" "$programs/Klarvo.exe" "$tests_dir/tests/bench/idle_floor.exe" \
  "$tests_dir/tests/bench/idle_bench.exe" "$place/"

# Drive P: shows /proc, where the benchmark reads each program's CPU time
# (Wine answers GetProcessTimes for another process with the caller's).
ln -sfn /proc "$sandbox/dosdevices/p:"
cleanup() { rm -f "$sandbox/dosdevices/p:"; klarvo_stop_wineserver; klarvo_stop_display; }
trap cleanup EXIT
klarvo_start_display
klarvo_start_wineserver

# Clock ticks of user and system time from /proc/<pid>/stat.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The sandbox's own server: the one started for its prefix.
server=
for pid in $(pgrep -x 'wineserver|wineserver64' || true); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$sandbox" && server=$pid
done
display=$klarvo_xvfb_pid
server_before=$( [ -n "$server" ] && ticks "$server" || echo 0)
display_before=$(ticks "$display")
started=$(date +%s)
WINEPREFIX=$sandbox wine 'C:\idle-bench\idle_bench.exe' '--shell=C:\idle-bench\KlarvoShell.exe' \
  '--cleaner=C:\idle-bench\Klarvo.exe' '--floor=C:\idle-bench\idle_floor.exe' "--hz=$(getconf CLK_TCK)" "$@"
elapsed=$(( $(date +%s) - started ))
hz=$(getconf CLK_TCK)
server_after=$( [ -n "$server" ] && ticks "$server" || echo 0)
display_after=$(ticks "$display")
awk -v s=$((server_after - server_before)) -v d=$((display_after - display_before)) -v hz="$hz" -v t="$elapsed" \
  'BEGIN { printf "over the whole run (%d s): wine server %.2f s CPU (%.3f %% of a core), display %.2f s (%.3f %%)\n",
           t, s / hz, s / hz / t * 100, d / hz, d / hz / t * 100 }'
