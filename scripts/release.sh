#!/usr/bin/env bash
# make release: builds the Windows programs and the installer in Release
# (the cross build of make test, $BUILD_DIR/win32) and writes to
# $BUILD_DIR/release:
#   Quillmate-<version>-setup.exe  the installer
#   Quillmate-<version>.zip        jobport.dll, KESTRO.EXE, Tessary.exe,
#                                  Tessary.cfg and KESTRO.cfg in a folder
#                                  Quillmate-<version>
#   SHA256SUMS                     the checksums of both (sha256sum -c SHA256SUMS)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh   # configure_windows_build, build_windows_targets, $build, $win32

fail() {
    echo "RELEASE FAILED: $*" >&2
    exit 1
}

scripts/install-deps.sh || fail "the build tools could not be installed"
log=$build/release-build.log
echo "== Building the Windows programs and the installer (Release) in $win32"
configure_windows_build "$win32" "$log" || fail "configuring the build failed"
grep -q '^MAKENSIS:FILEPATH=/' "$win32/CMakeCache.txt" ||
    fail "makensis was not found (Debian package nsis)"
build_windows_targets "$win32" "$log" jobport kestro_launcher tessary installer ||
    fail "the build failed"

version=$(cat "$win32/product_version/product_version.txt")
name=Quillmate-$version
release=$build/release
rm -rf "$release"
mkdir -p "$release/$name"
cp "$win32/installer/$name-setup.exe" "$release/"
# release_files.txt: the name each file ships under, a tab, its path in the build.
while IFS=$'\t' read -r shipped built; do
    cp "$built" "$release/$name/$shipped"
done <"$win32/installer/release_files.txt"
(cd "$release" && cmake -E tar cf "$name.zip" --format=zip "$name") || fail "cannot write $name.zip"
rm -rf "${release:?}/$name"
(cd "$release" && sha256sum "$name-setup.exe" "$name.zip" >SHA256SUMS)

echo "== Release $version in ${release#"$repo"/}:"
(cd "$release" && ls -l "$name-setup.exe" "$name.zip" SHA256SUMS | awk '{ print "  " $NF " (" $5 " bytes)" }')
echo "  contents of $name.zip:"
(cd "$release" && cmake -E tar tf "$name.zip" | sed 's/^/    /')
