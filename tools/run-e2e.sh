#!/usr/bin/env bash
# Runs the end-to-end test program (or one shard of it) under Wine, in a
# Wine prefix and on an Xvfb display of its own, and prints its results.
#
#   tools/run-e2e.sh [--build DIR] [--shard INDEX/TOTAL] [--timeout SECONDS] [--dpi N] [GTEST_ARGS...]
#
#   --build    the cross build directory holding e2e_tests.exe (default build/win,
#              or build/win64 where this machine cannot run 32-bit code)
#   --shard    run GoogleTest shard INDEX of TOTAL, in prefix build/wine/e2e-INDEX
#              (build/wine64/e2e-INDEX under the 64-bit Wine)
#   --timeout  the whole run is stopped after this long (default 600)
#   --dpi      run at N dots per inch (LogPixels), in prefix build/wine/e2e-INDEX-dpiN
# Environment: QUELLIX_EXE overrides the program under test (default
# test/Quellix.exe in the build directory); QX_E2E_NAME names the prefix
# (default e2e-INDEX), for a run beside the shards; TZ, when set, is the
# time zone of the suite and of the program.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=
shard_index=0
shard_total=1
seconds=600
dpi=
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(realpath -m "$2"); shift 2 ;;
    --shard) shard_index=${2%/*}; shard_total=${2#*/}; shift 2 ;;
    --timeout) seconds=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    *) break ;;
    esac
done

# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
build=${build:-$QX_WIN_BUILD}
exe=$build/e2e_tests.exe
qx_need_files run-e2e "build the Windows side first (cmake --build $build)" "$exe" || exit 1
qx_cleanup_on_exit

name=${QX_E2E_NAME:-e2e-$shard_index${dpi:+-dpi$dpi}}
qx_xvfb_start || exit 1
qx_prefix "$name" || exit 1
if [[ -n $dpi ]]; then
    qx_set_dpi "$dpi" || exit 1
fi
qx_server_start || exit 1

log=$QX_WINE_DIR/$name.log
export GTEST_TOTAL_SHARDS=$shard_total GTEST_SHARD_INDEX=$shard_index
# Where the programs the tests start write Wine's debug lines (tests/e2e/driver/WineLog.h).
export QX_E2E_LOG=$log
export QUELLIX_EXE=${QUELLIX_EXE:-$build/test/Quellix.exe}
echo "shard $shard_index of $shard_total: prefix $WINEPREFIX, display $DISPLAY"
qx_wine "$seconds" "$log" "$exe" --gtest_color=no "$@"
status=$?
# Wine's own chatter (fixme/err lines) stays in the log; the results are shown.
grep -a -v -E '^[0-9a-f]{4}:([0-9a-f]{4}:)?(fixme|err|warn|trace|Call|Ret)' "$log"
if [[ $status -eq 124 || $status -eq 137 ]]; then
    echo "run-e2e: shard $shard_index stopped after $seconds s (time-out); log: $log" >&2
fi
exit "$status"
