#!/usr/bin/env bash
# make demo: the print system's main job, under Wine on a virtual display.
# A host scanning program (tools/sample_host) loads jobport.dll and scans
# generated pages into four jobs with different print methods; the launcher
# installed as KESTRO.EXE is handed the pages in groups. Ends with an account
# of jobs, groups and files, and exits non-zero when anything failed.
#
# Everything lives in $BUILD_DIR (default build): the Windows build in
# win32/, a Wine prefix of the demo's own in demo-prefix/ (the tests' prefix
# is not touched) and the installation in demo/.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh

fail() {
    echo "DEMO FAILED: $*"
    exit 1
}

# The program installed as KESTRO.EXE: the real launcher (target
# kestro_launcher) when the build has one, else the launcher double;
# DEMO_LAUNCHER=double asks for the double. The build lists both in
# demo_launchers.txt (see tools/sample_host/CMakeLists.txt).
launcher_path() { sed -n "s/^$1 //p" "$win32/demo_launchers.txt" 2>/dev/null; }
choose_launcher() {
    launcher_target=kestro_launcher
    launcher_program=$(launcher_path kestro_launcher)
    if [ "${DEMO_LAUNCHER:-}" = double ] || [ -z "$launcher_program" ]; then
        launcher_target=launcher_double
        launcher_program=$(launcher_path launcher_double)
    fi
    [ -n "$launcher_program" ] ||
        fail "the build did not list the launchers ($win32/demo_launchers.txt)"
}

# ---- Part one: build, then run the rest on a virtual X display.
if [ -z "${DEMO_ON_DISPLAY:-}" ]; then
    scripts/install-deps.sh || fail "the build tools could not be installed"
    echo "== Building the Windows programs in $BUILD_DIR/win32"
    configure_windows_build "$win32" "$build/demo-build.log" || fail "the build failed"
    choose_launcher
    build_windows_targets "$win32" "$build/demo-build.log" \
        jobport sample_host wine_printers "$launcher_target" || fail "the build failed"
    DEMO_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$repo/scripts/demo.sh"
    fail "cannot start a virtual X display (xvfb-run)"
fi

# ---- Part two, on the display.
choose_launcher
programs=$win32/out
demo=$build/demo
record=$demo/launcher-record.txt
short() { printf '%s' "${1#"$repo"/}"; }
use_wine_prefix "$build/demo-prefix" || fail "the Wine prefix $(short "$build/demo-prefix") could not be set up"

echo "== Installing in $(short "$demo") (Wine prefix $(short "$WINEPREFIX"))"
prepare_installation "$demo" "$programs" "$launcher_program" ||
    fail "the installation could not be prepared"
remove_old_handoff_files
cp "$programs/sample_host.exe" "$HOST_DIR/" || fail "cannot copy sample_host.exe"
cp tools/sample_host/demo_jobs.txt "$HOST_DIR/jobs.txt" || fail "cannot copy the job script"
if [ "$launcher_target" = launcher_double ]; then
    launcher_kind=double
    echo "  KESTRO.EXE: the launcher double (kestro_double.exe); it prints nothing and"
    echo "  records every message and hand-off file in $(short "$record")"
else
    launcher_kind=real
    echo "  KESTRO.EXE: the real launcher (target $launcher_target); it prints on the"
    echo "  default printer and deletes what it printed"
fi
echo "  default printer \"$PRINTER_NAME\", printing PostScript into $(short "$PRINTED_FILE")"
echo "  registry HKLM\\SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate: \"Directory Path\", \"Setting Path\","
echo "  \"System Directory\", \"Debug Log Path\" name install/, settings/, system/, logs/"
echo "  \"KESTRO.cfg\" in host/, \"KESTROst.ini\" in settings/"

# The library starts the launcher with the host's environment.
export KESTRO_DOUBLE_RECORD
KESTRO_DOUBLE_RECORD=$(windows_path "$record")
export KESTRO_DOUBLE_EXIT_ON_DELETE=1

echo
echo "== The host scans: sample_host.exe -f jobs.txt (in $(short "$HOST_DIR"))"
# Into a file, not a pipe: the launcher that the host starts inherits its
# standard handles and would hold a pipe open after the host has ended.
host_output=$demo/host-output.txt
(cd "$HOST_DIR" && timeout 300 wine sample_host.exe --settings "$(windows_path "$SETTINGS_FILE")" \
    --answer-boxes -f jobs.txt >"$host_output" 2>&1)
host_status=$?
tr -d '\r' <"$host_output" | sed 's/^/  /'
[ "$host_status" -eq 124 ] && fail "the host did not finish within 300 s"

# Unloading the library told the launcher to end; it ends once it has done
# what it was handed.
timeout 120 wineserver -w ||
    fail "the launcher was still running 120 s after the host ended (waiting for a box to be answered?)"

echo
echo "== Account"
debug_log=$LOG_DIR/KESTROd.LOG
[ -f "$debug_log" ] || fail "there is no debug log $(short "$debug_log")"
launcher_record=/dev/null
if [ "$launcher_kind" = double ]; then
    [ -f "$record" ] || fail "the launcher double wrote no record ($(short "$record"))"
    launcher_record=$record
fi
# Record 0 of the ring log is its header; each further 300-byte record is a line.
awk -v record_used="$([ "$launcher_kind" = double ] && echo 1 || echo 0)" \
    -f scripts/demo-account.awk <(tail -c +301 "$debug_log" | tr -d '\r') "$launcher_record"
account_status=$?

printed_pages=0
[ -s "$PRINTED_FILE" ] && printed_pages=$(grep -c '^%%Page:' "$PRINTED_FILE")
if [ "$launcher_kind" = real ]; then
    while read -r launcher_log; do
        echo
        echo "What the launcher did (its log $(short "$launcher_log"), without the lines"
        echo "about deleted files and the printer's size):"
        tr -d '\r' <"$launcher_log" | grep -v -e '] deleted ' -e '] printer "' |
            cut -c 12-170 | sed 's/^/  /'
    done < <(find "$LOG_DIR" -type f ! -name KESTROd.LOG ! -name KESTROe.log)
    if [ "$printed_pages" -eq 0 ] && grep -q ',1125,' <(tr -d '\r' <"$debug_log"); then
        echo
        echo "PROBLEMS:"
        echo "  the launcher was handed pages but nothing was printed"
        account_status=1
    fi
fi

echo
echo "Files:"
page_count=$(find "$DATA_DIR" -name '*.bmp' | wc -l)
if [ "$page_count" -gt 0 ]; then
    echo "  page files: $page_count bitmaps in $(short "$DATA_DIR"), each showing its page and job number"
else
    echo "  page files: none left in $(short "$DATA_DIR") (the launcher deletes what it printed)"
fi
handoff_dir=$(find "$WINEPREFIX/drive_c/users" -name 'KST_*.$$$' -printf '%h\n' 2>/dev/null | head -n 1)
if [ -n "$handoff_dir" ]; then
    handoff_names=$(find "$handoff_dir" -name 'KST_*.$$$' -printf '"%f"\n' | sort)
    handoff_count=$(wc -l <<<"$handoff_names")
    [ "$handoff_count" -le 4 ] && handoff_count=$(tr '\n' ' ' <<<"$handoff_names" | sed 's/ $//')
    echo "  hand-off files left: $handoff_count in $(short "$handoff_dir")"
fi
echo "  debug log: $(short "$debug_log") ($(($(stat -c %s "$debug_log") / 300 - 1)) lines in 300-byte" \
     "records); error log: KESTROe.log beside it"
[ "$launcher_kind" = double ] && echo "  launcher record: $(short "$record")"
echo "  host output: $(short "$host_output")"
if [ "$printed_pages" -gt 0 ]; then
    echo "  printed: $(short "$PRINTED_FILE") ($(stat -c %s "$PRINTED_FILE") bytes of PostScript," \
         "$printed_pages sheets)"
    # The sheets as pictures, one PNG per sheet, to look at.
    sheets_dir="$(dirname "$PRINTED_FILE")/sheets"
    rm -rf "$sheets_dir" && mkdir -p "$sheets_dir"
    if gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r60 \
          -o "$sheets_dir/sheet-%02d.png" "$PRINTED_FILE" >/dev/null 2>&1; then
        echo "  the printed sheets as pictures:"
        for png in "$sheets_dir"/sheet-*.png; do echo "    $(short "$png")"; done
    else
        fail "Ghostscript could not render $(short "$PRINTED_FILE")"
    fi
else
    echo "  printed: nothing in $(short "$PRINTED_FILE")$([ "$launcher_kind" = double ] &&
        echo " (the launcher double does not print)")"
fi

echo
[ "$host_status" -eq 0 ] || fail "the host reported failed calls (exit code $host_status; see above)"
[ "$account_status" -eq 0 ] || fail "the account found problems (see above)"
if [ "$launcher_kind" = double ]; then
    echo "Demo finished: every call succeeded; every page reached the launcher or was deleted"
    echo "with its aborted job."
else
    echo "Demo finished: every call succeeded and the launcher printed $printed_pages sheets."
fi
