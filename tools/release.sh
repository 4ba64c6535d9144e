#!/usr/bin/env bash
# Makes a release from the sources, on a fresh clone as on a worked-in tree:
#   bash tools/release.sh [--out DIR]
# 1. installs what is missing (tools/setup.sh)
# 2. builds Quellix.exe for i686 (build/win) and x86_64 (build/win64) and
#    packs each: Quellix-<version>-win32.zip and .exe, -win64.zip and .exe
# 3. copies the four and the licence into build/release (or DIR), with
#    SHA256SUMS, the winget manifests (winget/) and the Scoop manifest
#    (scoop/quellix.json), written by tools/release_manifests.py.
# Environment:
#   QUELLIX_SIGN_CERT, QUELLIX_SIGN_KEY   a code-signing certificate and its
#       key (PEM or DER files): the programs and installers are signed with
#       osslsigncode; without them the release is unsigned, and says so.
#       QUELLIX_SIGN_PASSWORD_FILE and QUELLIX_SIGN_TIMESTAMP_URL are optional
#       (cmake/SignPackage.cmake).
#   QUELLIX_RELEASE_URL   where the files will be downloaded from, named in the
#       manifests (default https://downloads.quellix.invalid/<version>, a
#       stand-in to replace before publishing them).
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
out=$ROOT/build/release
if [[ ${1:-} == --out ]]; then
    out=$(realpath -m "$2")
    shift 2
fi
[[ $# -eq 0 ]] || { echo "usage: tools/release.sh [--out DIR]" >&2; exit 2; }

fail() {
    echo "release: $*" >&2
    exit 1
}

bash tools/setup.sh || exit 1
if [[ -n ${QUELLIX_SIGN_CERT:-} || -n ${QUELLIX_SIGN_KEY:-} ]]; then
    [[ -f ${QUELLIX_SIGN_CERT:-} && -f ${QUELLIX_SIGN_KEY:-} ]] ||
        fail "QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY must both name files"
    echo "release: signing with ${QUELLIX_SIGN_CERT}"
else
    echo "release: UNSIGNED: QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY are not set"
fi

# The version is typed once, in project(Quellix VERSION ...); each build's
# CPack configuration carries it.
version_of() {
    sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"
}

version=''
for pair in i686:build/win x86_64:build/win64; do
    arch=${pair%%:*} dir=$ROOT/${pair#*:}
    echo "release: $arch in ${dir#"$ROOT"/}"
    bash tools/build-win.sh --arch "$arch" "$dir" Quellix || exit 1
    # cpack packs the program built above; the package target would first
    # build the test programs too.
    (cd "$dir" && cpack) >"$dir/package.log" 2>&1 || { tail -n 30 "$dir/package.log" >&2; fail "packing $arch failed"; }
    grep -q 'Quellix: signed' "$dir/package.log" || [[ -z ${QUELLIX_SIGN_CERT:-} ]] ||
        fail "nothing was signed for $arch (see $dir/package.log)"
    this=$(version_of "$dir")
    [[ -n $this ]] || fail "no version in $dir/CPackConfig.cmake"
    [[ -z $version || $version == "$this" ]] || fail "build/win is $version, but $dir is $this"
    version=$this
done

rm -rf "$out"
mkdir -p "$out" || fail "cannot make $out"
cp build/win/Quellix-"$version"-win32.{zip,exe} build/win64/Quellix-"$version"-win64.{zip,exe} "$out/" ||
    fail "the packages are not all there"
cp LICENSE "$out/LICENSE.txt" || exit 1
url=${QUELLIX_RELEASE_URL:-https://downloads.quellix.invalid/$version}
python3 tools/release_manifests.py --version "$version" --url "$url" "$out" >/dev/null || exit 1
(cd "$out" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS does not check out"
[[ -z ${QUELLIX_RELEASE_URL:-} ]] &&
    echo "release: the manifests name $url; set QUELLIX_RELEASE_URL to where the files will be"
echo "release: Quellix $version in ${out#"$ROOT"/}:"
(cd "$out" && find . -type f | sort | sed 's|^\./|    |')
