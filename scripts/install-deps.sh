#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root),
# and the packages named as arguments (what one command alone needs).
# Quick when everything is there already.
set -euo pipefail

packages=(cmake make g++ libgtest-dev googletest
          g++-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 wine64 xvfb xauth ghostscript
          x11-apps imagemagick fonts-wine nsis wixl msitools osslsigncode openssl
          locales  # ja_JP locale sources: the code page 932 tests build it
          fonts-ipafont-gothic)  # Japanese glyphs for the Japanese dialog under Wine
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: run as root or install them yourself." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
. "$(dirname "$0")/lib/apt-fallback.sh"
update_status=0
apt_update_retrying || update_status=$?
case $update_status in
    0) ;;
    1) APT_INDEX_MISSING=1 ;;
    *) echo "apt-get update failed; cannot install ${missing[*]}" >&2; exit 1 ;;
esac
apt_install_packages "${missing[@]}" >/dev/null || exit 1
