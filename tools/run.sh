#!/usr/bin/env bash
# Builds Quellix for Windows and runs it under Wine.
#   bash tools/run.sh
# On the current X display if there is one (DISPLAY set), otherwise on a new
# Xvfb display whose number is printed, with the command for a screenshot.
# The program runs in Wine's virtual desktop (task bar and notification area)
# in the prefix build/wine/run (build/wine64/run where 32-bit code cannot run). It ends when its dialog is closed, or with Ctrl+C.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$ROOT/tools/setup.sh" || exit 1
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
# The shipped i686 build, or where this machine cannot run 32-bit code the
# same program built for x86_64, under the 64-bit Wine.
build=${QX_WIN_BUILD#"$ROOT"/}
[[ $QX_WINE_BITS == 64 ]] && echo "run: $QX_WINE_BITS_WHY, so the x86_64 build runs under wine64"
echo "run: building the Windows program ($build)"
bash "$ROOT/tools/build-win.sh" --arch "$QX_WIN_ARCH" "$QX_WIN_BUILD" Quellix || exit 1
trap qx_cleanup EXIT
trap 'exit 130' INT TERM
if [[ -z ${DISPLAY:-} ]]; then
    qx_xvfb_start || exit 1
    echo "run: no DISPLAY, so Quellix runs on a new Xvfb display $DISPLAY"
    echo "run: take a screenshot with:  DISPLAY=$DISPLAY import -window root quellix.png"
fi
qx_prefix run || exit 1
qx_server_start || exit 1
echo "run: starting $build/Quellix.exe (Wine output: $WINEPREFIX/quellix.log); close its dialog or press Ctrl+C to stop"
wine "$QX_WIN_BUILD/Quellix.exe" >"$WINEPREFIX/quellix.log" 2>&1 </dev/null
echo "run: Quellix ended"
