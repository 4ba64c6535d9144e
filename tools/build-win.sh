#!/usr/bin/env bash
# Configures (once) and builds the cross build directory build/win, or the
# one given: tools/build-win.sh [DIR] [TARGET...]. Output goes to DIR/build.log;
# on failure its end is shown.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${1:-$ROOT/build/win}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
mkdir -p "$dir"
log=$dir/build.log
generator=()
[[ -f $dir/CMakeCache.txt ]] || { command -v ninja >/dev/null && generator=(-G Ninja); }
if ! { cmake -S "$ROOT" -B "$dir" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" &&
       cmake --build "$dir" -j "$(nproc)" "${targets[@]}"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "build-win: the Windows build failed (full log: $log)" >&2
    exit 1
fi
