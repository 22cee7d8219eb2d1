#!/usr/bin/env bash
# Runs one test program for ctest: wine-run.sh WINE PROGRAM [ARGUMENTS].
# Wine starts some programs of its own on demand from whichever program
# first needs them (the desktop's explorer.exe above all), and they keep
# that program's standard error open for as long as they live, which can be
# long past its end. ctest waits until its pipe closes, so a test program
# that had passed would wait to the time limit. The program therefore
# writes into a file, which such a helper may keep open harmlessly; the
# file is shown as it grows and the run ends when the program has.
output=$(mktemp)
program=
stop() { [ -n "$program" ] && kill "$program" 2>/dev/null; rm -f "$output"; }
trap stop EXIT
trap 'exit 143' TERM INT
"$@" </dev/null >"$output" 2>&1 &
program=$!
tail -n +1 -s 0.2 --pid="$program" -f "$output"
wait "$program"
status=$?
program=
exit "$status"
