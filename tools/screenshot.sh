#!/usr/bin/env bash
# Takes a picture of Quellix's dialog as it shows after a first start:
#   tools/screenshot.sh [OUTPUT.png]       (default docs/dialog.png)
# Runs the program under Wine's virtual desktop on a private Xvfb display,
# waits for the dialog, and crops the screen to it (FULL=1 keeps the whole
# 1024x768 desktop with its task bar). DPI=N takes it at N dots per inch
# (LogPixels), in a prefix of its own.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:-$ROOT/docs/dialog.png}")

bash "$ROOT/tools/setup.sh" || exit 1
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
build=$QX_WIN_BUILD
bash "$ROOT/tools/build-win.sh" --arch "$QX_WIN_ARCH" "$build" Quellix StartupProbe || exit 1

qx_cleanup_on_exit
qx_xvfb_start && qx_prefix "screenshot${DPI:+-dpi$DPI}" || exit 1
if [[ -n ${DPI:-} ]]; then
    qx_set_dpi "$DPI" || exit 1
fi
qx_server_start || exit 1
# A fresh start: no stored choices.
qx_wine 30 "$WINEPREFIX/reg.log" reg delete 'HKCU\Software\Quellix' /f

timeout -k 5 120 wine "$build/Quellix.exe" >"$WINEPREFIX/quellix.log" 2>&1 </dev/null &
if ! qx_wine 30 "$WINEPREFIX/wait.log" "$build/bench/StartupProbe.exe" --wait "Quellix..." 20000; then
    cat "$WINEPREFIX/wait.log" >&2
    echo "screenshot: the dialog did not show (program output: $WINEPREFIX/quellix.log)" >&2
    exit 1
fi
read -r x y w h < <(tr -d '\r' <"$WINEPREFIX/wait.log" | grep -E '^-?[0-9]+ -?[0-9]+ [0-9]+ [0-9]+$' | tail -n 1)
sleep 1 # let it finish painting
mkdir -p "$(dirname "$out")"
crop=()
[[ ${FULL:-0} == 1 || -z ${w:-} ]] || crop=(-crop "${w}x${h}+${x}+${y}" +repage)
if ! import -display "$DISPLAY" -window root "${crop[@]}" "$out" 2>"$WINEPREFIX/import.log"; then
    cat "$WINEPREFIX/import.log" >&2
    exit 1
fi
echo "screenshot: $out"
