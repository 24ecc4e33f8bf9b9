#!/usr/bin/env bash
# make release with a certificate: a throwaway self-signed one made here
# signs the release; every signature must then verify against it: the
# installer, the MSI package, the uninstaller and Setup's helper as packed,
# each binary of the zip and each file and action DLL inside the MSI
# package. SHA256SUMS must match the signed files, and the build's own
# packages are left unsigned.
#
#   release_signing_test.sh BUILD_DIR RUN
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR RUN" >&2; exit 2; }
build_dir=$1 run=$2
repo=$(cd "$(dirname "$0")/../../.." && pwd)
stage=release_signing
export WINEPREFIX=$run/unused-prefix  # only the checks of setup_test_lib.sh are used
source "$(dirname "$0")/setup_test_lib.sh"

rm -rf "$run"
mkdir -p "$run/extracted"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Quillmate throwaway test signer" \
    -keyout "$run/key.pem" -out "$run/certificate.pem" >/dev/null 2>&1 &&
    openssl pkcs12 -export -inkey "$run/key.pem" -in "$run/certificate.pem" -out "$run/signer.pfx" \
        -passout pass:throwaway-secret >/dev/null 2>&1
check "a throwaway certificate is made" [ -s "$run/signer.pfx" ]

SIGN_PFX=$run/signer.pfx SIGN_PASSWORD=throwaway-secret SIGN_CA_FILE=$run/certificate.pem \
    RELEASE_DIR=$run/release BUILD_DIR=$build_dir "$repo/scripts/release.sh" >"$run/release.txt" 2>&1
status=$?
tail -n 25 "$run/release.txt"
check "make release signs (exit code 0)" [ "$status" -eq 0 ]

verifies() { osslsigncode verify -CAfile "$run/certificate.pem" -in "$1" >"$run/verify.txt" 2>&1; }
release=$run/release
version=$(sed -n 's/.*Quillmate-\(.*\)-setup\.exe$/\1/p' <<<"$(ls "$release")")
check "the installer's signature verifies" verifies "$release/Quillmate-$version-setup.exe"
check "the MSI package's signature verifies" verifies "$release/Quillmate-$version.msi"
(cd "$run/extracted" && cmake -E tar xf "$release/Quillmate-$version.zip")
for binary in jobport.dll KESTRO.EXE Tessary.exe; do
    check "$binary of the zip verifies" verifies "$run/extracted/Quillmate-$version/$binary"
done
(cd "$run/extracted" && msiextract "$release/Quillmate-$version.msi" >/dev/null &&
    msiinfo extract "$release/Quillmate-$version.msi" Binary.SetupActions >setup_actions.dll)
for binary in jobport.dll KESTRO.EXE Tessary.exe; do
    packed=$(find "$run/extracted/Program Files" -name "$binary" | head -n 1)
    check "$binary inside the MSI package verifies" verifies "$packed"
done
check "the MSI package's action DLL verifies" verifies "$run/extracted/setup_actions.dll"
# Packed in the installer, so checked by make release itself against the
# certificate (SIGN_CA_FILE) before the build's packages were made unsigned again.
for packed in Uninstall.exe folder_guard.exe; do
    check "$packed, packed in the installer, verifies" grep -qx "  signed: $packed" "$run/release.txt"
done
check "the build's own packages are unsigned again" \
    bash -c "! osslsigncode extract-signature -in '$build_dir/win32/installer/payload/jobport.dll' -out '$run/signature' >/dev/null 2>&1"
check "SHA256SUMS matches the signed files" bash -c "cd '$release' && sha256sum -c SHA256SUMS"
finish
