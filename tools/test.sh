#!/usr/bin/env bash
# Builds everything and runs every test:
#   bash tools/test.sh
# 1. installs what is missing (tools/setup.sh)
# 2. every C++ file as clang-format writes it (tools/check-format.sh)
# 3. native build (build/native) of the platform-free logic and its unit tests
# 4. the same under AddressSanitizer and UndefinedBehaviorSanitizer (build/asan), unit tests run
# 5. the libFuzzer targets with clang (build/fuzz), each run for a bounded number of inputs
# 6. the cross build for Windows (build/win): Quellix.exe, test/Quellix.exe, e2e_tests.exe
#    and, on a machine that cannot run 32-bit code, the same built for x86_64
#    (build/win64), which the end-to-end tests then run under the 64-bit Wine;
#    elsewhere build/win64 only as far as the 64-bit installer's test needs;
#    then the release (tools/release.sh): packages, checksums, manifests
# 7. one final ctest run in build/native: the unit tests and the end-to-end
#    shards under Wine, in parallel; its summary is the last thing printed.
# Build directories are reused when present. Exit status non-zero on any failure.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
JOBS=$(nproc)
LOGS=$ROOT/build/logs
mkdir -p "$LOGS"

fail() {
    echo "test: $1 failed; the end of $2:" >&2
    tail -n 60 "$2" >&2
    exit 1
}

# configure DIR [CMAKE ARGS...]: configures once (Ninja when available).
configure() {
    local dir=$1
    shift
    local generator=()
    [[ -f $dir/CMakeCache.txt ]] || { command -v ninja >/dev/null && generator=(-G Ninja); }
    cmake -S "$ROOT" -B "$dir" "${generator[@]}" "$@"
}

step() { echo "test: $*"; }

# passed LOG: one line saying how many tests an earlier ctest run passed.
passed() {
    local count
    count=$(grep -oE 'tests failed out of [0-9]+' "$1" | tail -n 1 | grep -oE '[0-9]+$')
    echo "test:   all ${count:-?} tests passed"
}

step "checking packages"
bash tools/setup.sh || exit 1

# Which Wine, and so which build, the end-to-end tests use (tools/wine-env.sh).
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
if [[ $QX_WINE_BITS == 64 ]]; then
    step "end-to-end tests at 64 bits (${QX_WIN_BUILD#"$ROOT"/} under wine64): $QX_WINE_BITS_WHY"
else
    step "end-to-end tests at 32 bits (${QX_WIN_BUILD#"$ROOT"/} under 32-bit Wine): $QX_WINE_BITS_WHY"
fi

step "formatting (clang-format)"
bash tools/check-format.sh || exit 1

step "native build (build/native)"
{ configure build/native -DQUELLIX_WIN_BUILD_DIR="$QX_WIN_BUILD" &&
  cmake --build build/native -j "$JOBS"; } >"$LOGS/native.log" 2>&1 || fail "the native build" "$LOGS/native.log"

step "sanitizer build and unit tests (build/asan)"
{ configure build/asan -DQUELLIX_SANITIZE=ON &&
  cmake --build build/asan -j "$JOBS" &&
  ctest --test-dir build/asan -j "$JOBS" --output-on-failure; } >"$LOGS/asan.log" 2>&1 ||
    fail "the sanitizer build or its unit tests" "$LOGS/asan.log"
passed "$LOGS/asan.log"

if grep -q QUELLIX_FUZZ cmake/UnitTests.cmake 2>/dev/null; then
    step "fuzz build with clang and short fuzz runs (build/fuzz)"
    { CC=clang CXX=clang++ configure build/fuzz -DQUELLIX_FUZZ=ON &&
      cmake --build build/fuzz -j "$JOBS" &&
      ctest --test-dir build/fuzz -R '^fuzz_' -j "$JOBS" --output-on-failure; } >"$LOGS/fuzz.log" 2>&1 ||
        fail "the fuzz build or a fuzz run" "$LOGS/fuzz.log"
    passed "$LOGS/fuzz.log"
fi

step "Windows build (build/win)"
bash tools/build-win.sh "$ROOT/build/win" all || exit 1
if [[ $QX_WIN_BUILD != "$ROOT/build/win" ]]; then
    step "Windows build for the tests, $QX_WIN_ARCH (${QX_WIN_BUILD#"$ROOT"/})"
    bash tools/build-win.sh --arch "$QX_WIN_ARCH" "$QX_WIN_BUILD" all || exit 1
else
    step "x86_64 Windows build, what the 64-bit installer's test runs (build/win64)"
    bash tools/build-win.sh --arch x86_64 "$ROOT/build/win64" Quellix QuellixSeam WaitForWindow WaitForProcessEnd ||
        exit 1
fi

step "release: both package pairs, SHA256SUMS, winget and Scoop manifests (tools/release.sh: build/release)"
bash tools/release.sh >"$LOGS/release.log" 2>&1 || fail "the release" "$LOGS/release.log"

step "unit tests and end-to-end tests under Wine (build/native)"
ctest --test-dir build/native --output-on-failure -j 3
