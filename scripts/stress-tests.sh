#!/usr/bin/env bash
# The suite under pressure: three runs in a row of every test of one build
# tree, each in a random order (ctest's and GoogleTest's), while two busy
# loops hold the machine's cores, then the twenty-round exit race. Prints
# each run's time and result; fails when any run failed.
# Usage: stress-tests.sh BUILD_DIR [MODE]
set -uo pipefail
build_dir=$1
mode=${2:-win98}
root=$(cd "$(dirname "$0")/.." && pwd)
runs=3

busy=()
stop_busy() { local pid; for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done; }
trap stop_busy EXIT
for _ in 1 2; do
  bash -c 'while :; do :; done' &
  busy+=($!)
done

failed=0
summary=()
run() {
  local name=$1 started status
  shift
  started=$(date +%s)
  "$@"
  status=$?
  summary+=("$name: $([ $status = 0 ] && echo passed || echo FAILED) in $(($(date +%s) - started)) s")
  [ $status = 0 ] || failed=1
}
for round in $(seq 1 $runs); do
  run "suite run $round of $runs" env GTEST_SHUFFLE=1 "$root/scripts/run-tests.sh" "$build_dir" "$mode" --schedule-random
done
run "exit race, 20 rounds of 15 closes" env KLARVO_STRESS=1 "$root/scripts/run-tests.sh" "$build_dir" "$mode" -L stress

printf '%s\n' "" "Under two busy loops:" "${summary[@]}"
exit $failed
