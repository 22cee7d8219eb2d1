#!/usr/bin/env bash
# Runs every test through ctest under one virtual display and one Wine
# server, then shuts both down.
set -euo pipefail
build_dir=$1; shift
. "$(dirname "$0")/wine-env.sh"
"$klarvo_root/scripts/make-prefix.sh"

cleanup() { klarvo_stop_wineserver; klarvo_stop_display; }
trap cleanup EXIT
klarvo_start_display
klarvo_start_wineserver
cd "$build_dir"
ctest --output-on-failure "$@"
