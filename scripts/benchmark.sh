#!/usr/bin/env bash
# make bench: figures of two parts, each beside the bare work measured in the
# same run (tools/benchmark). Prints figures only; nothing here passes or
# fails on a time.
#  library   pages per second through the real jobport.dll under Wine, for
#            print methods 1 and 30 and for small and large page files,
#            beside the bare platform work a page needs; installation in
#            bench/, in which the launcher double deletes every page.
#  launcher  the real KESTRO.EXE printing scanned pages (a 300-dpi colour
#            A4 JPEG, a 600-dpi black-and-white A4 TIFF, two colour pages on
#            one sheet, a job of 20 colour pages) to Wine's PostScript driver,
#            beside bare_print.exe printing the same pages with nothing but
#            decoding and StretchDIBits; installation in bench-print/.
# BENCH_PARTS="launcher" (or "library") runs one part; BENCH_RUNS sets the
# launcher part's runs (default 5).
#
# Uses $BUILD_DIR (default build): the Windows build in win32/ and a Wine
# prefix of its own in bench-prefix/.
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

parts=${BENCH_PARTS:-library launcher}
print_runs=${BENCH_RUNS:-5}
case " $parts " in *" library "* | *" launcher "*) ;; *) fail "BENCH_PARTS names neither library nor launcher: $parts" ;; esac

build_then_rerun_on_display BENCH_ON_DISPLAY bench jobport benchmark launcher_double wine_printers \
    kestro_launcher print_benchmark bare_print

programs=$win32/out
bench=$build/bench
short() { printf '%s' "${1#"$repo"/}"; }
use_wine_prefix "$build/bench-prefix" || fail "the Wine prefix $(short "$build/bench-prefix") could not be set up"
echo
echo "  machine: $(grep -m 1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) cores; $(wine --version)"

library_part() {
    local needed_mb free_mb status
    needed_mb=$((large_pages * 20 * 2 + 200))
    free_mb=$(df -Pm "$build" | awk 'NR == 2 { print $4 }')
    [ "$free_mb" -ge "$needed_mb" ] || fail "needs about $needed_mb MB free in $(short "$build"), has $free_mb MB"

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
    echo "== Benchmark of jobport.dll"
    echo "  jobport.dll with its debug log on ($(short "$LOG_DIR")/KESTROd.LOG); launcher: the double,"
    echo "  deleting what it is handed; page files moved within one file system"
    (cd "$HOST_DIR" && timeout 600 wine benchmark.exe --settings "$(windows_path "$SETTINGS_FILE")" \
        --data-folder "$(windows_path "$DATA_DIR")" --small-pages "$small_pages" \
        --large-pages "$large_pages" --runs "$runs") 2>&1 | tr -d '\r' | sed 's/^/  /'
    status=${PIPESTATUS[0]}
    [ "$status" -eq 124 ] && fail "the benchmark did not finish within 600 s"
    [ "$status" -eq 0 ] || fail "the benchmark program failed (exit code $status)"
    timeout 60 wineserver -w || fail "the launcher was still running 60 s after the benchmark ended"
}

# A scanned office page drawn in PostScript: a colour picture over its top
# third, lines of text below. Ghostscript makes the scanner's files of it.
write_scanned_page() {
    cat >"$1" <<'PAGE'
%!PS
/rnd { rand 2147483647 div } def
1234 srand
0 1 600 { pop rnd rnd rnd setrgbcolor
  rnd 595 mul rnd 260 mul 560 add rnd 30 mul 4 add 0 360 arc fill } for
0 setgray /Times-Roman findfont 10 scalefont setfont
60 530 -13 50 { 60 exch moveto
  (Minutes of the meeting: the scanned pages were printed in order, two-sided where asked.) show } for
showpage
PAGE
}

launcher_part() {
    local print_bench=$build/bench-print status
    local pages=$print_bench/pages printer="Bench printer"
    echo
    echo "== Installing the real launcher in $(short "$print_bench") (Wine prefix $(short "$WINEPREFIX"))"
    prepare_installation "$print_bench" "$programs" "$programs/KESTRO.exe" ||
        fail "the installation could not be prepared"
    remove_old_handoff_files
    cp "$programs/print_benchmark.exe" "$programs/bare_print.exe" "$HOST_DIR/" ||
        fail "cannot copy the benchmark's programs"
    # Wine's PostScript driver writes each document to this file, replacing the last.
    wine "$programs/wine_printers.exe" add "$printer" "$print_bench/printed.ps" --default >/dev/null ||
        fail "cannot add the printer \"$printer\""
    mkdir -p "$pages" && write_scanned_page "$pages/page.ps" &&
        gs -q -dSAFER -dBATCH -dNOPAUSE -sPAPERSIZE=a4 -dFIXEDMEDIA -sDEVICE=jpeg -r300 -dJPEGQ=85 \
            -o "$pages/colour.jpg" "$pages/page.ps" &&
        gs -q -dSAFER -dBATCH -dNOPAUSE -sPAPERSIZE=a4 -dFIXEDMEDIA -sDEVICE=tiffg4 -r600 \
            -o "$pages/black-white.tif" "$pages/page.ps" || fail "Ghostscript could not make the pages"

    echo
    echo "== Benchmark of KESTRO.EXE"
    echo "  pages: $(short "$pages")/colour.jpg (300 dpi, $(du -k "$pages/colour.jpg" | cut -f1) KB) and"
    echo "  black-white.tif (600 dpi, CCITT G4, $(du -k "$pages/black-white.tif" | cut -f1) KB), A4; each page full size,"
    echo "  turned to suit the sheet; printer \"$printer\": Wine's PostScript driver, A4, 300 dpi,"
    echo "  each document written to $(short "$print_bench")/printed.ps; load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
    (cd "$HOST_DIR" && timeout 3600 wine print_benchmark.exe --settings "$(windows_path "$SETTINGS_FILE")" \
        --log-folder "$(windows_path "$LOG_DIR")" --printer "$printer" \
        --colour "$(windows_path "$pages/colour.jpg")" --black-white "$(windows_path "$pages/black-white.tif")" \
        --runs "$print_runs") 2>&1 | tr -d '\r' | sed 's/^/  /'
    status=${PIPESTATUS[0]}
    echo "  load average after: $(cut -d ' ' -f 1-3 /proc/loadavg) (other work on the machine slows both sides)"
    [ "$status" -eq 124 ] && fail "the launcher benchmark did not finish within an hour"
    [ "$status" -eq 0 ] || fail "the launcher benchmark failed (exit code $status; logs in $(short "$LOG_DIR"))"
    timeout 60 wineserver -w || fail "the launcher was still running 60 s after the benchmark ended"
    rm -f "$print_bench/printed.ps"
}

case " $parts " in *" library "*) library_part ;; esac
case " $parts " in *" launcher "*) launcher_part ;; esac
