#!/usr/bin/env bash
# Leak check of the popups: under Wine, launches a long row of stop notices
# through Quellix's real interface (a countdown started with OK and stopped
# with Cancel; every tenth time the idle dialog minimised to the tray and
# restored from the icon) and prints the program's GDI objects, windows,
# memory held from malloc and working set at the start, after a warm-up and
# at the end, each time once every popup has gone. Fails if anything grew
# from the warm-up to the end (tests/e2e/manual/PopupLeakCheck.cpp).
#
#   tools/leak-check.sh [--build DIR] [POPUPS]      (default build/win, 1000)
#
# About seven minutes for 1000 popups: twenty stand at once at most, and
# each stays longer than its 4.2 s when so many animate together. The program
# is the recorded-requests build (test/Quellix.exe) unless QUELLIX_EXE names
# another.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-tool.sh
source "$ROOT/tools/wine-tool.sh"
qx_built_session leak manual_checks "$@" || exit 1
popups=${QX_ARGS[0]:-1000}

log=$QX_WINE_DIR/leak.log
export QUELLIX_LEAK_POPUPS=$popups QUELLIX_EXE=${QUELLIX_EXE:-$build/test/Quellix.exe}
echo "leak-check: $popups popups; prefix $WINEPREFIX, display $DISPLAY"
qx_wine $((popups + 300)) "$log" "$build/manual_checks.exe" --gtest_color=no --gtest_filter='PopupLeakCheck.*'
status=$?
grep -v -E '^[0-9a-f]{4}:(fixme|err|warn|trace):' "$log"
[[ $status -eq 124 || $status -eq 137 ]] && echo "leak-check: stopped by the time-out; log: $log" >&2
exit "$status"
