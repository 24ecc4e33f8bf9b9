#!/usr/bin/env bash
# make soak: the real jobport.dll under a long run (tools/soak): host
# threads, the launcher double, faults injected from a seed. Prints the
# soak's summary and fails on any violation of the host's invariant.
#
#   SOAK_PAGES  pages JP_SendData must accept, all host processes together
#               (default 100000)
#   SOAK_HOSTS  host processes sharing the installation, each with its own
#               host threads and launcher (1 to 4, default 2)
#   SOAK_SEED   the seed to replay (default: a new one, printed)
#   BUILD_DIR   build folder (default build): the Windows build in win32/,
#               a Wine prefix of its own in soak-prefix/
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh

pages=${SOAK_PAGES:-100000}
hosts=${SOAK_HOSTS:-2}
seed=${SOAK_SEED:-}

fail() {
    echo "SOAK FAILED: $*"
    exit 1
}

build_then_rerun_on_display SOAK_ON_DISPLAY soak soak

use_wine_prefix "$build/soak-prefix" || fail "the Wine prefix could not be set up"
wineserver -p
echo "== Soak: $pages pages ($(grep -m 1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores; $(wine --version))"
arguments=(--pages "$pages" --hosts "$hosts")
[ -n "$seed" ] && arguments+=(--seed "$seed")
# About 90 pages a second here; the limit only stops a run that hangs.
limit=$((pages / 20 + 600))
(cd "$win32/out" && timeout "$limit" wine soak.exe "${arguments[@]}") 2>&1 | sed -u 's/\r$//'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && fail "the soak did not finish within $limit s"
[ "$status" -eq 0 ] || exit 1
