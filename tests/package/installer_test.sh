#!/usr/bin/env bash
# The NSIS installer end to end, in a fresh Wine prefix of its own:
# 1. for the current user (/CurrentUser): the program goes into the user's own
#    programs folder, its shortcut into the user's Start menu and its
#    Add/Remove Programs entry under HKCU, nothing under Program Files or
#    HKLM; the silent uninstall, run while the program runs, closes it and
#    removes all of it, the empty mail key the About box may have made
#    included, and leaves the user's settings (HKCU\Software\Quellix);
#    with /D= it goes into the folder given;
# 2. for all users, as an administrator gets it by default: Program Files,
#    the common Start menu and HKLM; the program started through the shortcut
#    shows its dialog; installing again while an older copy runs closes that
#    copy and replaces it; the silent uninstall then leaves only the settings.
#
#   tests/package/installer_test.sh --version X.Y.Z [--bits 32|64] [--build DIR] [--installer FILE]
#
# --bits 32 tests Quellix-X.Y.Z-win32.exe of the i686 build (build/win) under
# the 32-bit Wine, --bits 64 Quellix-X.Y.Z-win64.exe of the x86_64 build
# (build/win64) under wine64. Without it, the build the end-to-end tests use
# (tools/wine-env.sh). Exits 77 (a skip) where this machine cannot run that
# Wine.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
installer='' version='' build='' bits=''
while [[ $# -gt 0 ]]; do
    case $1 in
    --installer) installer=$(realpath -m "$2"); shift 2 ;;
    --version) version=$2; shift 2 ;;
    --build) build=$(realpath -m "$2"); shift 2 ;;
    --bits) bits=$2; shift 2 ;;
    *) echo "installer-test: unknown argument $1" >&2; exit 2 ;;
    esac
done
if [[ $bits == 64 ]]; then
    if [[ ! -x /usr/lib/wine/wine64 ]]; then
        echo "installer-test: skipped: the 64-bit Wine (/usr/lib/wine/wine64) is not installed"
        exit 77
    fi
    export QX_WINE_BITS=64 QX_WINE_BITS_WHY="the 64-bit installer is tested"
fi
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
if [[ $bits == 32 && $QX_WINE_BITS != 32 ]]; then
    echo "installer-test: skipped: the 32-bit installer needs the 32-bit Wine: $QX_WINE_BITS_WHY"
    exit 77
fi
if [[ -z $build ]]; then
    build=$QX_WIN_BUILD
fi
if [[ -z $installer ]]; then
    [[ $QX_WINE_BITS == 64 ]] && installer=$build/Quellix-$version-win64.exe || installer=$build/Quellix-$version-win32.exe
fi
echo "installer-test: ${installer#"$ROOT"/} under $QX_WINE_BITS-bit Wine"
wait_for_window=$build/package/WaitForWindow.exe
wait_for_end=$build/package/WaitForProcessEnd.exe
qx_need_files installer-test "build the package first" "$installer" "$wait_for_window" "$wait_for_end" \
    "$build/Quellix.exe" "$build/test/Quellix.exe" || exit 1
# No menu entries for the desktop outside the prefix.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

fail() {
    echo "installer-test: FAILED: $*" >&2
    exit 1
}

# A fresh prefix: nothing of an earlier run may count as installed.
rm -rf "$QX_WINE_DIR/installer"
qx_session installer || exit 1
drive=$WINEPREFIX/drive_c
log=$WINEPREFIX/installer-test.log
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellix'
mail_key='Software\Classes\mailto'

# reg_query KEY [VALUE]: prints what `reg query` says; fails when it is missing.
reg_query() {
    local args=("$1")
    [[ $# -gt 1 ]] && args+=(/v "$2")
    qx_wine 60 "$log.reg" reg query "${args[@]}" || return 1
    tr -d '\r' <"$log.reg"
}

# expect_entry ROOT DIR MODE FOLDER: the Add/Remove Programs entry under ROOT
# names the folder DIR (as Windows writes it; FOLDER here) and the
# uninstaller's MODE.
expect_entry() {
    local root=$1 dir=$2 mode=$3 entry expected
    entry=$(reg_query "$root\\$uninstall_key") || fail "no entry $root\\$uninstall_key"
    for expected in "DisplayName    REG_SZ    Quellix" "DisplayVersion    REG_SZ    $version" \
        "Publisher    REG_SZ    The Quellix developers" "DisplayIcon    REG_SZ    $dir\\Quellix.exe,0" \
        "UninstallString    REG_SZ    \"$dir\\Uninstall.exe\" /$mode" \
        "QuietUninstallString    REG_SZ    \"$dir\\Uninstall.exe\" /$mode /S"; do
        grep -qF "$expected" <<<"$entry" || fail "the entry lacks: $expected"
    done
    expect_size_and_date "$entry" "$4"
}

# expect_size_and_date ENTRY FOLDER: the entry's EstimatedSize (KiB) within
# 20 % of what FOLDER holds, and its InstallDate today's (or yesterday's,
# just after midnight).
expect_size_and_date() {
    local size installed date
    size=$(sed -n 's/^ *EstimatedSize *REG_DWORD *0x\([0-9a-fA-F]*\)$/\1/p' <<<"$1")
    [[ -n $size ]] || fail "the entry has no EstimatedSize"
    size=$((16#$size))
    installed=$(( $(find "$2" -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }') / 1024 ))
    (( size * 10 >= installed * 8 && size * 10 <= installed * 12 )) ||
        fail "EstimatedSize $size KiB, but the installed files hold $installed KiB"
    date=$(sed -n 's/^ *InstallDate *REG_SZ *\([0-9]*\)$/\1/p' <<<"$1")
    [[ $date == "$(date +%Y%m%d)" || $date == "$(date -d yesterday +%Y%m%d)" ]] ||
        fail "InstallDate is '$date', not today's"
}

# The installer itself: a version record naming Quellix, its version and
# publisher, Quellix's icon, and a manifest that names Windows 10.
expect_installer_resources() {
    local record manifest expected
    record=$(python3 "$ROOT/tests/package/pe_resources.py" version "$installer") || fail "no version record in the installer"
    for expected in "ProductName=Quellix" "CompanyName=The Quellix developers" "ProductVersion=$version.0" \
        "FileVersion=$version.0" "OriginalFilename=$(basename "$installer")"; do
        grep -qxF "$expected" <<<"$record" || fail "the installer's version record lacks $expected: $record"
    done
    python3 "$ROOT/tests/package/pe_resources.py" same-icon "$installer" "$build/res-images/quellix.ico" ||
        fail "the installer does not carry Quellix's icon"
    manifest=$(python3 "$ROOT/tests/package/pe_resources.py" manifest "$installer") || fail "no manifest in the installer"
    grep -qF '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' <<<"$manifest" ||
        fail "the installer's manifest names no Windows 10: $manifest"
}

# expect_installed DIR: the installed files, the program the shipped one.
expect_installed() {
    local f
    for f in Quellix.exe LICENSE.txt Uninstall.exe; do
        [[ -f $1/$f ]] || fail "not installed: ${1#"$drive"/}/$f"
    done
    cmp -s "$1/Quellix.exe" "$build/Quellix.exe" || fail "the installed Quellix.exe is not the shipped one"
}

# start_program WINDOWS_PATH: starts it as Explorer would and waits for its dialog.
start_program() {
    qx_wine 30 "$log.start" start "$1" || fail "$1 did not start"
    qx_wine 30 "$log.window" "$wait_for_window" "Quellix..." 15000 || fail "no dialog after starting $1"
}

expect_program_ended() {
    qx_wine 30 "$log.end" "$wait_for_end" Quellix.exe 2000 || fail "Quellix still runs: $(cat "$log.end")"
}

# uninstall DIR MODE: the silent uninstall as Add/Remove Programs runs it. The
# uninstaller copies itself away and returns at once; it removes the folder
# last, so the folder gone means it is done.
uninstall() {
    qx_wine 120 "$log" "$1/Uninstall.exe" "/$2" /S || fail "the silent uninstall failed (status $?)"
    for _ in $(seq 300); do
        [[ -e $1 ]] || break
        sleep 0.1
    done
    [[ -e $1 ]] && fail "left behind: $(find "$1" | tr '\n' ' ')"
}

# The files and folders of the prefix, but for the temporary ones, where the
# uninstaller runs from, Wine's own, and the user's programs folder, a folder
# of the shell's (FOLDERID_UserProgramFiles) that the first per-user install
# makes and that stays, as the Start menu does.
prefix_files() {
    find "$drive" -path "$drive/users/*/Temp" -prune -o -path "$drive/windows" -prune -o \
        -path "$drive/users/*/AppData/Local/Programs" -prune -o -print | sort
}

# add_empty_key ROOT KEY: makes ROOT\KEY (ROOT spelt out) with no value, as
# RegCreateKeyEx does; Wine's `reg add` would give it an empty default value.
add_empty_key() {
    printf 'REGEDIT4\r\n\r\n[%s\\%s]\r\n' "$1" "$2" >"$WINEPREFIX/empty-key.reg"
    qx_wine 60 "$log" reg import "$(qx_winpath "$WINEPREFIX/empty-key.reg")" &&
        reg_query "$1\\$2" >/dev/null || fail "could not make $1\\$2"
}

expect_settings_kept() {
    reg_query 'HKCU\Software\Quellix' Action | grep -q 'REG_DWORD    0x3' || fail "the user's settings were removed"
}

# The user's own settings, as a run of the program would have left them.
qx_wine 60 "$log" reg add 'HKCU\Software\Quellix' /v Action /t REG_DWORD /d 3 /f || fail "could not store a setting"

expect_installer_resources
echo "installer-test: the installer carries its version record, Quellix's icon and a manifest naming Windows 10"

# --- 1. for the current user ---------------------------------------------
# The mail key as the About box creates it where the user may not write
# HKLM: empty, under the user's own classes.
add_empty_key HKEY_CURRENT_USER "$mail_key\\shell\\open\\command"
before=$(prefix_files)
# Wine counts every account as an administrator, so the mode is chosen by
# its switch; RunAsInvoker keeps Wine from elevating where it would.
__COMPAT_LAYER=RunAsInvoker qx_wine 120 "$log" "$installer" /S /CurrentUser ||
    fail "the silent install for the current user failed (status $?)"
user_dir=$(find "$drive/users" -maxdepth 5 -path '*/AppData/Local/Programs/Quellix' -type d | head -n 1)
[[ -n $user_dir ]] || fail "not installed into the user's programs folder: $(prefix_files | comm -13 <(echo "$before") -)"
expect_installed "$user_dir"
user_name=$(basename "$(dirname "$(dirname "$(dirname "$(dirname "$user_dir")")")")")
user_shortcut="$drive/users/$user_name/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quellix.lnk"
[[ -f $user_shortcut ]] || fail "no shortcut in the user's Start menu"
# Its tooltip: the description, stored in the link as UTF-16 or as ANSI text.
python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); t = sys.argv[2]
sys.exit(t.encode("utf-16-le") not in d and t.encode() not in d)' "$user_shortcut" "Shuts down, restarts or locks" ||
    fail "the Start-menu shortcut has no description"
expect_entry HKCU "C:\\users\\$user_name\\AppData\\Local\\Programs\\Quellix" CurrentUser "$user_dir"
reg_query "HKLM\\$uninstall_key" >/dev/null && fail "a per-user install wrote HKLM\\$uninstall_key"
[[ -e "$drive/Program Files/Quellix" ]] && fail "a per-user install wrote to Program Files"
echo "installer-test: for the current user: installed into ${user_dir#"$drive"/}, entry under HKCU, nothing for all users"

start_program "C:\\users\\$user_name\\AppData\\Local\\Programs\\Quellix\\Quellix.exe"
__COMPAT_LAYER=RunAsInvoker uninstall "$user_dir" CurrentUser
expect_program_ended
changed=$(diff <(echo "$before") <(prefix_files) | grep '^[<>]')
[[ -z $changed ]] || fail "the per-user install and uninstall changed files (> left, < gone): $changed"
reg_query "HKCU\\$uninstall_key" >/dev/null && fail "left behind: HKCU\\$uninstall_key"
reg_query "HKCU\\$mail_key" >/dev/null && fail "left behind: the empty HKCU\\$mail_key"
reg_query "HKLM\\$mail_key\\shell\\open\\command" >/dev/null || fail "Wine's own mail program entry was removed"
expect_settings_kept
echo "installer-test: for the current user: the uninstall closed the running program and left only the settings"

# A folder given with /D= wins over the mode's.
__COMPAT_LAYER=RunAsInvoker qx_wine 120 "$log" "$installer" /S /CurrentUser '/D=C:\QuellixElsewhere' ||
    fail "the silent install into a folder of its own failed (status $?)"
expect_installed "$drive/QuellixElsewhere"
expect_entry HKCU 'C:\QuellixElsewhere' CurrentUser "$drive/QuellixElsewhere"
__COMPAT_LAYER=RunAsInvoker uninstall "$drive/QuellixElsewhere" CurrentUser
echo "installer-test: /D= picked the folder"

# --- 2. for all users ----------------------------------------------------
dir="$drive/Program Files/Quellix"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quellix.lnk"
# This time the empty mail key is the one the About box makes in HKLM.
qx_wine 60 "$log" reg delete "HKLM\\$mail_key" /f || fail "could not remove Wine's mail key"
add_empty_key HKEY_LOCAL_MACHINE "$mail_key\\shell\\open\\command"
qx_wine 120 "$log" "$installer" /S || fail "the silent install failed (status $?)"
expect_installed "$dir"
[[ -f $shortcut ]] || fail "no shortcut in the common Start menu"
expect_entry HKLM 'C:\Program Files\Quellix' AllUsers "$dir"
reg_query "HKCU\\$uninstall_key" >/dev/null && fail "an install for all users wrote HKCU\\$uninstall_key"
echo "installer-test: for all users: installed into Program Files, entry under HKLM"

# Started as a user starts it: through the Start-menu shortcut.
start_program 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quellix.lnk'
echo "installer-test: the program started through the shortcut shows its dialog"

# An older copy runs (the test build: another file) while the installer runs again.
qx_wine 30 "$log.kill" taskkill /f /im Quellix.exe || fail "could not end the program"
qx_wine 30 "$log.end" "$wait_for_end" Quellix.exe 10000 || fail "the program did not end"
cp "$build/test/Quellix.exe" "$dir/Quellix.exe" || fail "could not put the older copy in place"
start_program 'C:\Program Files\Quellix\Quellix.exe'
qx_wine 120 "$log" "$installer" /S || fail "the silent install over the running program failed (status $?)"
expect_program_ended
expect_installed "$dir"
echo "installer-test: installing over the running program closed it and replaced it"

uninstall "$dir" AllUsers
[[ -e $shortcut ]] && fail "left behind: the Start-menu shortcut"
reg_query "HKLM\\$uninstall_key" >/dev/null && fail "left behind: HKLM\\$uninstall_key"
reg_query 'HKLM\Software\Quellix' >/dev/null && fail "left behind: HKLM\\Software\\Quellix"
reg_query "HKLM\\$mail_key" >/dev/null && fail "left behind: the empty HKLM\\$mail_key"
expect_settings_kept
echo "installer-test: passed"
