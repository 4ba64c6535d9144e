#!/usr/bin/env bash
# The NSIS installer end to end, in a fresh Wine prefix of its own:
# a silent install (/S) puts Quellix.exe and Uninstall.exe under Program Files,
# a Start-menu shortcut and the Add/Remove Programs entry in place; the program
# started through the shortcut shows its dialog; a silent uninstall removes all
# of it and leaves the user's settings under HKCU\Software\Quellix.
#
#   tests/package/installer_test.sh --version X.Y.Z [--build DIR] [--installer FILE]
#
# The installer is the build's own: Quellix-X.Y.Z-win32.exe of the shipped
# build, or, where this machine cannot run 32-bit code, the 64-bit
# Quellix-X.Y.Z-win64.exe of the x86_64 build under wine64. Both come from the
# same script and install to the same places.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
installer='' version='' build=$ROOT/build/win
while [[ $# -gt 0 ]]; do
    case $1 in
    --installer) installer=$(realpath -m "$2"); shift 2 ;;
    --version) version=$2; shift 2 ;;
    --build) build=$(realpath -m "$2"); shift 2 ;;
    *) echo "installer-test: unknown argument $1" >&2; exit 2 ;;
    esac
done
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
if [[ -z $installer ]]; then
    [[ $QX_WINE_BITS == 64 ]] && installer=$build/Quellix-$version-win64.exe || installer=$build/Quellix-$version-win32.exe
fi
echo "installer-test: ${installer#"$ROOT"/} under $QX_WINE_BITS-bit Wine"
wait_for_window=$build/package/WaitForWindow.exe
qx_need_files installer-test "build the package first" "$installer" "$wait_for_window" || exit 1

fail() {
    echo "installer-test: FAILED: $*" >&2
    exit 1
}

# A fresh prefix: nothing of an earlier run may count as installed.
rm -rf "$QX_WINE_DIR/installer"
qx_session installer || exit 1
drive=$WINEPREFIX/drive_c
dir="$drive/Program Files/Quellix"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quellix.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellix'
log=$WINEPREFIX/installer-test.log

# reg_query KEY [VALUE]: prints what `reg query` says; fails when it is missing.
reg_query() {
    local args=("$1")
    [[ $# -gt 1 ]] && args+=(/v "$2")
    qx_wine 60 "$log.reg" reg query "${args[@]}" || return 1
    tr -d '\r' <"$log.reg"
}

# The user's own settings, as a run of the program would have left them.
qx_wine 60 "$log" reg add 'HKCU\Software\Quellix' /v Action /t REG_DWORD /d 3 /f || fail "could not store a setting"

qx_wine 120 "$log" "$installer" /S || fail "the silent install failed (status $?)"
for f in "$dir/Quellix.exe" "$dir/Uninstall.exe" "$shortcut"; do
    [[ -f $f ]] || fail "not installed: ${f#"$drive"/}"
done
cmp -s "$dir/Quellix.exe" "$build/Quellix.exe" || fail "the installed Quellix.exe is not the shipped one"
entry=$(reg_query "$uninstall_key") || fail "no entry $uninstall_key"
echo "$entry"
for expected in "DisplayName    REG_SZ    Quellix" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    The Quellix developers" 'DisplayIcon    REG_SZ    C:\Program Files\Quellix\Quellix.exe,0' \
    'UninstallString    REG_SZ    "C:\Program Files\Quellix\Uninstall.exe"'; do
    grep -qF "$expected" <<<"$entry" || fail "the entry lacks: $expected"
done

# Started as a user starts it: through the Start-menu shortcut.
qx_wine 30 "$log.start" start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quellix.lnk' ||
    fail "the shortcut did not start"
qx_wine 30 "$log.window" "$wait_for_window" "Quellix..." 15000 || fail "no dialog after starting the shortcut"
echo "the program started through the shortcut shows its dialog"
qx_wine 30 "$log.kill" taskkill /f /im Quellix.exe || fail "could not end the program"

# The uninstaller copies itself away and returns at once; it removes the
# folder last, so the folder gone means it is done.
qx_wine 120 "$log" "$dir/Uninstall.exe" /S || fail "the silent uninstall failed (status $?)"
for _ in $(seq 300); do
    [[ -e $dir || -e $shortcut ]] || break
    sleep 0.1
done
[[ -e $dir ]] && fail "left behind: $(find "$dir" | tr '\n' ' ')"
[[ -e $shortcut ]] && fail "left behind: the Start-menu shortcut"
reg_query "$uninstall_key" >/dev/null && fail "left behind: $uninstall_key"
reg_query 'HKLM\Software\Quellix' >/dev/null && fail "left behind: HKLM\\Software\\Quellix"
reg_query 'HKCU\Software\Quellix' Action | grep -q 'REG_DWORD    0x3' || fail "the user's settings were removed"
echo "installer-test: passed"
