#!/usr/bin/env bash
# Signing of the packages (cmake/SignPackage.cmake) with a throw-away
# self-signed certificate: cpack, given QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY,
# packs the build into a folder of its own; `osslsigncode verify` passes on
# the installer, on the Quellix.exe in the zip and on the one the signed
# installer installs under Wine (so the signature leaves the installer
# whole). Without a key, cpack says the packages are unsigned.
#
#   tests/package/signing_test.sh [--build DIR]
#
# DIR is a cross build with its program built (build/win by default). Exits
# 77 (a skip) without osslsigncode or openssl.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$ROOT/build/win
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(realpath -m "$2"); shift 2 ;;
    *) echo "signing-test: unknown argument $1" >&2; exit 2 ;;
    esac
done
for tool in osslsigncode openssl cpack unzip; do
    command -v $tool >/dev/null || { echo "signing-test: skipped: no $tool (bash tools/setup.sh installs it)"; exit 77; }
done
[[ -f $build/CPackConfig.cmake && -f $build/Quellix.exe ]] ||
    { echo "signing-test: $build has no built program: build it first" >&2; exit 1; }

fail() {
    echo "signing-test: FAILED: $*" >&2
    exit 1
}

work=$(mktemp -d /tmp/quellix-signing.XXXXXX)
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Quellix throw-away test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" >"$work/openssl.log" 2>&1 ||
    fail "openssl could not make a certificate: $(tail -n 3 "$work/openssl.log")"

# verify FILE: osslsigncode accepts its signature by the throw-away certificate.
verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 &&
        grep -q "Signature verification: ok" "$work/verify.log"
}

verify "$build/Quellix.exe" && fail "the unsigned build already verifies: the check proves nothing"
(cd "$build" && cpack -B "$work/unsigned" -G ZIP) >"$work/unsigned.log" 2>&1 || fail "cpack failed unsigned"
grep -q "ZIP package unsigned (QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY are not set)" "$work/unsigned.log" ||
    fail "cpack did not say the package is unsigned"

(cd "$build" && QUELLIX_SIGN_CERT=$work/cert.pem QUELLIX_SIGN_KEY=$work/key.pem cpack -B "$work/signed") \
    >"$work/signed.log" 2>&1 || fail "cpack failed signing: $(tail -n 5 "$work/signed.log")"
installer=$(find "$work/signed" -maxdepth 1 -name 'Quellix-*.exe')
zip=$(find "$work/signed" -maxdepth 1 -name 'Quellix-*.zip')
[[ -f $installer && -f $zip ]] || fail "cpack made no installer and zip"
verify "$installer" || fail "the installer's signature does not verify: $(tail -n 5 "$work/verify.log")"
unzip -q -o -j "$zip" '*/Quellix.exe' -d "$work/zip" || fail "no Quellix.exe in the zip"
verify "$work/zip/Quellix.exe" || fail "the zip's Quellix.exe does not verify: $(tail -n 5 "$work/verify.log")"
echo "signing-test: osslsigncode verify passes on ${installer##*/} and the Quellix.exe of ${zip##*/}"

# The signed installer still passes its own integrity check and installs the
# signed program.
[[ $installer == *-win64.exe ]] && export QX_WINE_BITS=64 QX_WINE_BITS_WHY="the 64-bit installer is tested"
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"
if [[ $installer == *-win32.exe && $QX_WINE_BITS == 64 ]]; then
    echo "signing-test: not installed: the 32-bit installer needs the 32-bit Wine ($QX_WINE_BITS_WHY)"
    exit 0
fi
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
rm -rf "$QX_WINE_DIR/signing"
qx_session signing || exit 1
trap 'qx_cleanup; rm -rf "$work"' EXIT
qx_wine 120 "$work/install.log" "$installer" /S /CurrentUser || fail "the signed installer failed (status $?)"
installed=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Quellix/Quellix.exe' | head -n 1)
[[ -n $installed ]] || fail "the signed installer installed nothing"
verify "$installed" || fail "the installed Quellix.exe does not verify"
echo "signing-test: passed"
