#!/usr/bin/env bash
# make bench: pages per second through the real jobport.dll under Wine, for
# print methods 1 and 30 and for small and large page files, beside the bare
# platform work a page needs, measured in the same run (tools/benchmark).
# Prints figures only; nothing here passes or fails on a time.
#
# Uses $BUILD_DIR (default build): the Windows build in win32/, a Wine prefix
# of its own in bench-prefix/ and an installation in bench/, in which the
# launcher double deletes every page it is handed.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh

# Pages a run; the large files are 20 MB each, and a job held to its end
# keeps all of its pages on disk at once.
small_pages=400
large_pages=16
runs=5

fail() {
    echo "BENCHMARK FAILED: $*"
    exit 1
}

build_then_rerun_on_display BENCH_ON_DISPLAY bench jobport benchmark launcher_double wine_printers

programs=$win32/out
bench=$build/bench
short() { printf '%s' "${1#"$repo"/}"; }
needed_mb=$((large_pages * 20 * 2 + 200))
free_mb=$(df -Pm "$build" | awk 'NR == 2 { print $4 }')
[ "$free_mb" -ge "$needed_mb" ] || fail "needs about $needed_mb MB free in $(short "$build"), has $free_mb MB"

use_wine_prefix "$build/bench-prefix" || fail "the Wine prefix $(short "$build/bench-prefix") could not be set up"
echo "== Installing in $(short "$bench") (Wine prefix $(short "$WINEPREFIX"))"
prepare_installation "$bench" "$programs" "$programs/kestro_double.exe" ||
    fail "the installation could not be prepared"
remove_old_handoff_files
cp "$programs/benchmark.exe" "$HOST_DIR/" || fail "cannot copy benchmark.exe"

export KESTRO_DOUBLE_RECORD
KESTRO_DOUBLE_RECORD=$(windows_path "$bench/launcher-record.txt")
export KESTRO_DOUBLE_DELETE_PRINTED=1
export KESTRO_DOUBLE_EXIT_ON_DELETE=1

echo
echo "== Benchmark"
echo "  machine: $(grep -m 1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores; $(wine --version)"
echo "  jobport.dll with its debug log on ($(short "$LOG_DIR")/KESTROd.LOG); launcher: the double,"
echo "  deleting what it is handed; page files moved within one file system"
(cd "$HOST_DIR" && timeout 600 wine benchmark.exe --settings "$(windows_path "$SETTINGS_FILE")" \
    --data-folder "$(windows_path "$DATA_DIR")" --small-pages "$small_pages" \
    --large-pages "$large_pages" --runs "$runs") 2>&1 | tr -d '\r' | sed 's/^/  /'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && fail "the benchmark did not finish within 600 s"
[ "$status" -eq 0 ] || fail "the benchmark program failed (exit code $status)"
timeout 60 wineserver -w || fail "the launcher was still running 60 s after the benchmark ended"
