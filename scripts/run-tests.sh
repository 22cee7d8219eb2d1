#!/usr/bin/env bash
# Runs every test of one build tree through ctest under its own virtual
# display and Wine server, then shuts both down.
# Usage: run-tests.sh BUILD_DIR MODE [ctest arguments]
# MODE is the Windows the tests meet (win98, winxp or win64: see
# wine-env.sh). Each mode has its own prefix, display and server, so runs of
# different modes may go on side by side.
set -euo pipefail
build_dir=$1
export KLARVO_WINE_MODE=$2
shift 2
. "$(dirname "$0")/wine-env.sh"
"$klarvo_root/scripts/make-prefix.sh"

cleanup() { klarvo_stop_wineserver; klarvo_stop_display; }
trap cleanup EXIT
klarvo_start_display
klarvo_start_wineserver
cd "$build_dir"
echo "Tests of $build_dir under Wine in $KLARVO_WINE_MODE mode"
# Tests labelled stress run only when KLARVO_STRESS is set (make
# test-stress). A tree that was configured without its tests would
# otherwise pass empty.
only_asked=(-LE stress)
[ -n "${KLARVO_STRESS:-}" ] && only_asked=()
ctest --no-tests=error --output-on-failure "${only_asked[@]}" "$@"
