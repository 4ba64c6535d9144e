#!/usr/bin/env bash
# Pictures of Quellix in the notification area, taken under Wine's virtual
# desktop on a private Xvfb display as a user would see them:
#   docs/popup.png                 the 30-second warning over the task bar
#   build/pictures/tray-tip.png    the dialog hidden to the icon, its tip shown
#   build/pictures/tray-menu.png   the icon's menu
#   tools/screenshot-tray.sh [--build DIR]
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=
[[ ${1:-} == --build ]] && build=$(realpath -m "$2")

bash "$ROOT/tools/setup.sh" || exit 1
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
build=${build:-$QX_WIN_BUILD}
bash "$ROOT/tools/build-win.sh" --arch "$QX_WIN_ARCH" "$build" QuellixSeam manual_checks || exit 1

qx_session screenshot-tray || exit 1

pictures=$ROOT/build/pictures
mkdir -p "$pictures"
rm -f "$pictures"/*.bmp
log=$QX_WINE_DIR/screenshot-tray.log
export QUELLIX_PICTURES=$pictures QUELLIX_EXE=${QUELLIX_EXE:-$build/test/Quellix.exe}
if ! qx_wine 120 "$log" "$build/manual_checks.exe" --gtest_color=no --gtest_filter='TrayPictures.*'; then
    grep -v -E '^[0-9a-f]{4}:(fixme|err|warn|trace):' "$log" >&2
    echo "screenshot-tray: taking the pictures failed" >&2
    exit 1
fi
for name in tray-tip tray-menu popup; do
    out=$pictures/$name.png
    [[ $name == popup ]] && out=$ROOT/docs/popup.png
    convert "$pictures/$name.bmp" "$out" && rm -f "$pictures/$name.bmp" || exit 1
    echo "screenshot-tray: $out"
done
