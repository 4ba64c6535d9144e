#!/usr/bin/env bash
# Builds Quellix for Windows and runs it under Wine.
#   bash tools/run.sh
# On the current X display if there is one (DISPLAY set), otherwise on a new
# Xvfb display whose number is printed, with the command for a screenshot.
# The program runs in Wine's virtual desktop (task bar and notification area)
# in the prefix build/wine/run. It ends when its dialog is closed, or with Ctrl+C.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$ROOT/tools/setup.sh" || exit 1
echo "run: building the Windows program (build/win)"
bash "$ROOT/tools/build-win.sh" "$ROOT/build/win" Quellix || exit 1

# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
trap qx_cleanup EXIT
trap 'exit 130' INT TERM
if [[ -z ${DISPLAY:-} ]]; then
    qx_xvfb_start || exit 1
    echo "run: no DISPLAY, so Quellix runs on a new Xvfb display $DISPLAY"
    echo "run: take a screenshot with:  DISPLAY=$DISPLAY import -window root quellix.png"
fi
qx_prefix run || exit 1
qx_server_start || exit 1
echo "run: starting build/win/Quellix.exe (Wine output: $WINEPREFIX/quellix.log); close its dialog or press Ctrl+C to stop"
wine "$ROOT/build/win/Quellix.exe" >"$WINEPREFIX/quellix.log" 2>&1 </dev/null
echo "run: Quellix ended"
