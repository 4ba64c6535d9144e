#!/usr/bin/env bash
# The shipped Quellix.exe makes a real, forced shut-down request, and under
# Wine the "computer" it shuts down is its Wine prefix: every process there
# ends, the wineserver included, while another prefix runs on untouched.
#
#   tests/e2e/shutdown/real_shutdown_test.sh [--build DIR]
#
# Two prefixes of this test's own (copies of the template): "shutdown-target"
# runs notepad and Quellix.exe with stored settings "Now", no question, "Shut
# down"; "shutdown-bystander" runs notepad. Enter is pressed on Quellix's
# dialog (tests/e2e/shutdown/PressEnter.cpp). Exit status 0 when the target
# prefix is empty within 10 s and the bystander's processes all still run.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
build=
[[ ${1:-} == --build ]] && build=$(realpath -m "$2")
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
build=${build:-$QX_WIN_BUILD}
exe=$build/Quellix.exe
press=$build/shutdown/PressEnter.exe
qx_need_files real-shutdown "build the Windows side first" "$exe" "$press" || exit 1
qx_cleanup_on_exit

fail() {
    echo "real-shutdown: FAILED: $*" >&2
    exit 1
}

# prefix_processes PREFIX: "pid name" of every Wine process (Windows programs,
# Wine's services, the wineserver) running in PREFIX.
prefix_processes() {
    local file dir exe
    for file in $(grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null); do
        dir=${file%/environ}
        exe=$(readlink "$dir/exe" 2>/dev/null) || continue
        [[ $exe == */wine* ]] || continue
        echo "${dir#/proc/} $(cat "$dir/comm" 2>/dev/null)"
    done
}

# start_program PREFIX NAME PROGRAM: starts PROGRAM in PREFIX and waits for
# its process NAME, up to 40 s a try (a first program in a fresh prefix takes
# seconds on a busy machine). A start that meets the prefix's previous
# wineserver on its way out ends at once without the program, and under heavy
# load one was seen to hang; either way it is made again, up to three times,
# and what ran meanwhile is told.
start_program() {
    local prefix=$1 name=$2 program=$3 attempt launcher deadline
    for attempt in 1 2 3; do
        WINEPREFIX=$prefix wine "$program" >"$prefix/$name.$attempt.log" 2>&1 </dev/null &
        launcher=$!
        deadline=$((SECONDS + 40))
        while ((SECONDS < deadline)); do
            prefix_processes "$prefix" | grep -q " $name\$" && return 0
            kill -0 "$launcher" 2>/dev/null || break
            sleep 0.1
        done
        prefix_processes "$prefix" | grep -q " $name\$" && return 0
        if kill -0 "$launcher" 2>/dev/null; then
            echo "real-shutdown: try $attempt: no $name after 40 s; its start is $(cat "/proc/$launcher/comm" 2>/dev/null)" \
                "in state $(awk '{ print $3 }' "/proc/$launcher/stat" 2>/dev/null)" >&2
            kill -9 "$launcher" 2>/dev/null
        else
            echo "real-shutdown: try $attempt: the start of $name ended without it: $(tail -n 3 "$prefix/$name.$attempt.log")" >&2
        fi
        echo "real-shutdown: processes of ${prefix##*/}: $(prefix_processes "$prefix" | tr '\n' ' ')" >&2
    done
    return 1
}

qx_xvfb_start || exit 1

qx_prefix shutdown-bystander && qx_server_start || exit 1
bystander=$WINEPREFIX
start_program "$bystander" notepad.exe notepad || fail "notepad did not start in the bystander prefix"

# The target's wineserver is not made persistent: it would outlive its last
# program on purpose. It is stopped at the end should the test fail.
qx_prefix shutdown-target || exit 1
target=$WINEPREFIX
QX_STARTED_SERVERS+=("$target")
# "Shut down" stands third in the list, after the log-off entry.
for setting in "Action 2" "TurnOffNow 1" "ConfirmTurnOff 0"; do
    set -- $setting
    qx_wine 60 "$target/reg.log" reg add 'HKCU\Software\Quellix' /v "$1" /t REG_DWORD /d "$2" /f ||
        fail "could not store $1"
done
start_program "$target" notepad.exe notepad || fail "notepad did not start in the target prefix"
start_program "$target" Quellix.exe "$exe" || fail "Quellix.exe did not start"

before_target=$(prefix_processes "$target")
before_bystander=$(prefix_processes "$bystander")
echo "target prefix before Enter:"; sed 's/^/  /' <<<"$before_target"
grep -q ' wineserver' <<<"$before_target" || fail "no wineserver found for the target prefix"

qx_wine 30 "$target/press.log" "$press" "Quellix..." 15000 || { cat "$target/press.log" >&2; fail "Enter could not be pressed"; }
start=$(date +%s%N)

left=$before_target
while (( $(date +%s%N) - start < 10000000000 )); do
    left=$(prefix_processes "$target")
    [[ -z $left ]] && break
    sleep 0.05
done
[[ -z $left ]] || fail "10 s after Enter these processes of the target prefix still run: $(tr '\n' ' ' <<<"$left")"
echo "target prefix empty $(( ($(date +%s%N) - start) / 1000000 )) ms after Enter"

after_bystander=$(prefix_processes "$bystander")
while read -r pid name; do
    grep -qx "$pid $name" <<<"$after_bystander" || fail "the bystander prefix lost $name (pid $pid)"
done <<<"$before_bystander"
echo "bystander prefix untouched: $(wc -l <<<"$after_bystander") processes still run"
echo "real-shutdown: passed"
