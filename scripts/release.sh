#!/usr/bin/env bash
# make release: builds the Windows programs and both kinds of Setup in
# Release (the cross build of make test, $BUILD_DIR/win32) and writes to
# $BUILD_DIR/release (or RELEASE_DIR):
#   Quillmate-<version>-setup.exe  the NSIS installer
#   Quillmate-<version>.msi        the MSI package
#   Quillmate-<version>.zip        jobport.dll, KESTRO.EXE, Tessary.exe,
#                                  Tessary.cfg and KESTRO.cfg in a folder
#                                  Quillmate-<version>
#   SHA256SUMS                     the checksums of the three (sha256sum -c SHA256SUMS)
# With SIGN_PFX (a PKCS#12 file with the certificate and its key),
# SIGN_PASSWORD and optionally SIGN_TIMESTAMP_URL, every binary, the
# uninstaller, the installer and the MSI package are signed with
# Authenticode (scripts/sign-file.sh) before the checksums are written;
# SIGN_CA_FILE (PEM) lets it verify the signatures against a private root.
# Without SIGN_PFX the release is unsigned, and it says so.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh   # configure_windows_build, build_windows_targets, $build, $win32

fail() {
    echo "RELEASE FAILED: $*" >&2
    exit 1
}

scripts/install-deps.sh || fail "the build tools could not be installed"
if [ -n "${SIGN_PFX:-}" ]; then
    [ -r "$SIGN_PFX" ] || fail "SIGN_PFX names no readable file: $SIGN_PFX"
    SIGN_PFX=$(realpath "$SIGN_PFX")
    export SIGN_PFX SIGN_PASSWORD="${SIGN_PASSWORD:-}" SIGN_TIMESTAMP_URL="${SIGN_TIMESTAMP_URL:-}"
    echo "== Signing with $SIGN_PFX${SIGN_TIMESTAMP_URL:+, timestamped by $SIGN_TIMESTAMP_URL}"
else
    echo "== Not signing: no certificate given (SIGN_PFX, SIGN_PASSWORD); the release is UNSIGNED"
fi
log=$build/release-build.log
echo "== Building the Windows programs and both kinds of Setup (Release) in $win32"
configure_windows_build "$win32" "$log" || fail "configuring the build failed"
grep -q '^MAKENSIS:FILEPATH=/' "$win32/CMakeCache.txt" ||
    fail "makensis was not found (Debian package nsis)"
grep -q '^WIXL:FILEPATH=/' "$win32/CMakeCache.txt" ||
    fail "wixl was not found (Debian package wixl)"
version=$(cat "$win32/product_version/product_version.txt")
name=Quillmate-$version
# Whether the packed files are signed depends on SIGN_PFX, which the build
# cannot see: they are gathered (and signed) afresh for every release.
rm -rf "$win32/installer/payload" "$win32/installer/$name-setup.exe" "$win32/installer/$name.msi"
build_windows_targets "$win32" "$log" jobport kestro_launcher tessary installer msi_package ||
    fail "the build failed"

release=${RELEASE_DIR:-$build/release}
rm -rf "$release"
mkdir -p "$release/$name"
cp "$win32/installer/$name-setup.exe" "$win32/installer/$name.msi" "$release/"
# release_files.txt: the name each file ships under, a tab, its path in the
# build; the payload holds each under that name, signed when signing.
while IFS=$'\t' read -r shipped _; do
    mkdir -p "$(dirname "$release/$name/$shipped")"
    cp "$win32/installer/payload/$shipped" "$release/$name/$shipped"
done <"$win32/installer/release_files.txt"

if [ -n "${SIGN_PFX:-}" ]; then
    echo "== Signatures"
    for file in "$release/$name-setup.exe" "$release/$name.msi" "$win32/installer/Uninstall.exe" \
                "$win32/installer/payload/folder_guard.exe" "$win32/installer/payload/setup_actions.dll" \
                "$release/$name"/*.exe "$release/$name"/*.EXE "$release/$name"/*.dll; do
        if [ -n "${SIGN_CA_FILE:-}" ]; then
            osslsigncode verify -CAfile "$SIGN_CA_FILE" -in "$file" >/dev/null 2>&1 ||
                fail "the signature of $file does not verify"
        else
            osslsigncode extract-signature -in "$file" -out "$release/.signature" >/dev/null 2>&1 ||
                fail "$file is not signed"
            rm -f "$release/.signature"
        fi
        echo "  signed: ${file##*/}"
    done
fi

if [ -n "${SIGN_PFX:-}" ]; then
    # The build's own packages (which make test installs) stay unsigned.
    rm -rf "$win32/installer/payload" "$win32/installer/$name-setup.exe" "$win32/installer/$name.msi"
    SIGN_PFX='' build_windows_targets "$win32" "$log" installer msi_package ||
        fail "the build's unsigned packages could not be made again"
fi

(cd "$release" && cmake -E tar cf "$name.zip" --format=zip "$name") || fail "cannot write $name.zip"
rm -rf "${release:?}/$name"
(cd "$release" && sha256sum "$name-setup.exe" "$name.msi" "$name.zip" >SHA256SUMS)

echo "== Release $version in ${release#"$repo"/}${SIGN_PFX:+ (signed)}:"
(cd "$release" && ls -l "$name-setup.exe" "$name.msi" "$name.zip" SHA256SUMS | awk '{ print "  " $NF " (" $5 " bytes)" }')
echo "  contents of $name.zip:"
(cd "$release" && cmake -E tar tf "$name.zip" | sed 's/^/    /')
[ -n "${SIGN_PFX:-}" ] || echo "  The files are NOT signed: give SIGN_PFX and SIGN_PASSWORD to sign them."
