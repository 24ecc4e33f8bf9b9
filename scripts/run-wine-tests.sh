#!/usr/bin/env bash
# Runs the Windows tests under Wine; expects DISPLAY (called by xvfb-run).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

# A wineserver started without this display would keep a null display driver.
wineserver -k 2>/dev/null
scripts/wine-prefix.sh || { echo "Wine prefix set-up failed"; exit 1; }
wineserver -p
trap 'wineserver -k 2>/dev/null' EXIT

# Wine tests share one prefix and its registry: one at a time.
ctest --test-dir "${BUILD_DIR:-build}/win32" --output-on-failure -j 1
