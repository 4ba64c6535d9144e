#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Quellix need.
# Idempotent: when everything is present it only asks dpkg and returns.
# Run as root (or with sudo available).
set -euo pipefail

# Package -> why it is needed.
#   wine wine32:i386 wine64   run the 32-bit program and its test programs (wine64 alone
#                             where the machine cannot run 32-bit code: tools/wine-env.sh)
#   fonts-wine                Tahoma and Marlett inside the Wine prefix
#   g++-mingw-w64-i686-posix  cross compiler (posix threads, needed by GoogleTest)
#   gcc-mingw-w64-i686-posix  its C driver (CMake's C language)
#   g++-mingw-w64-i686-win32  the compiler of the shipped program (win32 threads: no
#   gcc-mingw-w64-i686-win32  winpthreads, whose imports old Windows lacks)
#   binutils-mingw-w64-i686   windres, linker, objdump (the import audit)
#   ...-x86-64 of the three   the same for x86_64: the test build where 32-bit code cannot run
#   xvfb                      the X server the tests run on
#   cmake ninja-build g++     native build
#   googletest libgtest-dev   /usr/src/googletest for the cross build, gtest for the native one
#   clang libclang-rt-14-dev  the fuzz build (libFuzzer)
#   imagemagick               tools/screenshot.sh (import)
#   xdotool                   real pointer clicks on the tray icon
#   clang-format              the formatting check of the test run
#   nsis                      makensis: the installer (cmake --build build/win --target package)
#   osslsigncode openssl      signing the packages (tools/release.sh), and its test's certificate
#   unzip                     the signing test reads the zip
#   python3-yaml              the test of the winget manifests reads them
PACKAGES=(
    wine wine32:i386 wine64 fonts-wine
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    xvfb cmake ninja-build g++ googletest libgtest-dev
    clang libclang-rt-14-dev
    imagemagick xdotool clang-format nsis osslsigncode openssl unzip python3-yaml
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
SUDO=()
[[ $(id -u) -eq 0 ]] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
log=$(mktemp /tmp/quellix-setup.XXXXXX.log)
if ! { "${SUDO[@]}" apt-get update -q &&
       "${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "setup: apt-get failed (full log: $log)" >&2
    exit 1
fi
rm -f "$log"
echo "setup: done"
