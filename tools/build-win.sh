#!/usr/bin/env bash
# Configures (once) and builds the cross build directory build/win, or the
# one given: tools/build-win.sh [--arch i686|x86_64] [DIR] [TARGET...].
# --arch x86_64 builds for 64-bit Windows (cmake/mingw-x86_64.cmake), for the
# tests on machines that cannot run 32-bit code; the default, i686, is the
# shipped program. Output goes to DIR/build.log; on failure its end is shown.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=i686
if [[ ${1:-} == --arch ]]; then
    arch=$2
    shift 2
fi
toolchain=$ROOT/cmake/mingw-$arch.cmake
[[ -f $toolchain ]] || { echo "build-win: no toolchain file $toolchain" >&2; exit 1; }
dir=${1:-$ROOT/build/win}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
mkdir -p "$dir"
log=$dir/build.log
generator=()
[[ -f $dir/CMakeCache.txt ]] || { command -v ninja >/dev/null && generator=(-G Ninja); }
if ! { cmake -S "$ROOT" -B "$dir" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" &&
       cmake --build "$dir" -j "$(nproc)" "${targets[@]}"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "build-win: the Windows build failed (full log: $log)" >&2
    exit 1
fi
