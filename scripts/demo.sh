#!/usr/bin/env bash
# make demo: the print system's main job, under Wine on a virtual display.
# A host scanning program (tools/sample_host) loads jobport.dll and scans
# generated pages into four jobs with different print methods; the launcher
# installed as KESTRO.EXE is handed the pages in groups. Then the user opens
# the settings program Tessary.exe, changes the layout through its dialog
# (driven by tools/dialog_driver) and presses OK, and the host scans one more
# job, which prints with what the dialog stored. Ends with an account of
# jobs, groups, stored settings and files, and exits non-zero when anything
# failed.
#
# PAGES="a.png b.tif ..." (paths absolute or from the folder make runs in,
# without blanks) adds a last job of the user's own page files (BMP, PNG,
# JPEG, TIFF, GIF), PAGES_PER_SHEET (1, 2 or 4; default 1) a sheet. The
# demo hands over copies: the files themselves are left as they are. A file
# the launcher cannot print gets a marked placeholder in its place; the
# demo shows the launcher's box about it and where the file was kept.
#
# Everything lives in $BUILD_DIR (default build): the Windows build in
# win32/, a Wine prefix of the demo's own in demo-prefix/ (the tests' prefix
# is not touched) and the installation in demo/.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
start_dir=$PWD
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

# The kind of picture a page file holds, from its first bytes; "" when it is
# none the launcher reads.
picture_kind() {
    local magic
    magic=$(head -c 4 "$1" | od -An -tx1 | tr -d ' \n')
    case $magic in
        424d*) echo BMP ;;
        89504e47) echo PNG ;;
        ffd8ff*) echo JPEG ;;
        49492a00 | 4d4d002a) echo TIFF ;;
        47494638) echo GIF ;;
    esac
}

# Checks PAGES and PAGES_PER_SHEET and makes every page's path absolute.
check_own_pages() {
    local listed page resolved=()
    read -ra listed <<<"${PAGES:-}"
    for page in "${listed[@]}"; do
        case $page in /*) ;; *) page=$start_dir/$page ;; esac
        [ -f "$page" ] && [ -r "$page" ] || fail "PAGES: \"$page\" is not a file that can be read"
        [ -n "$(picture_kind "$page")" ] ||
            echo "PAGES: \"$page\" is not a BMP, PNG, JPEG, TIFF or GIF file: it is handed over" \
                 "all the same, and the launcher prints a marked placeholder in its place"
        resolved+=("$page")
    done
    export PAGES="${resolved[*]}"
    case ${PAGES_PER_SHEET:=1} in
        1 | 2 | 4) export PAGES_PER_SHEET ;;
        *) fail "PAGES_PER_SHEET must be 1, 2 or 4, not \"$PAGES_PER_SHEET\"" ;;
    esac
}

# write_own_pages_job SCRIPT: a job script for the host that hands over a
# copy of each of the user's pages (the library moves what it is handed and
# the launcher deletes what it printed).
write_own_pages_job() {
    local folder=$HOST_DIR/own-pages page copy number=0 nup
    case $PAGES_PER_SHEET in 1) nup=0 ;; 2) nup=1 ;; 4) nup=2 ;; esac
    mkdir -p "$folder" || return 1
    {
        echo "# Your own pages (PAGES): one job, $PAGES_PER_SHEET a sheet, centred, full size (shrunk"
        echo "# to fit when larger than the sheet or its cell), turned to suit the paper, no frame."
        echo "set PrintAfterReceivedAllData=1"
        echo "set NupPrintSetting=$nup"
        echo "set PrintPosSetting=4"
        echo "set SortSetting=0"
        echo "set PrintSizeSetting=1"
        echo "set PageFramePrintSetting=0"
        echo "set AutoRotatePrintSetting=1"
        echo "job copies=1"
        for page in $PAGES; do
            number=$((number + 1))
            copy=$folder/$(printf '%02d' "$number")-$(basename "$page")
            cp "$page" "$copy" || return 1
            echo "send $(windows_path "$copy")"
        done
        echo "end"
    } >"$1"
}

# ---- Part one: build, then run the rest on a virtual X display.
if [ -z "${DEMO_ON_DISPLAY:-}" ]; then
    check_own_pages
    scripts/install-deps.sh || fail "the build tools could not be installed"
    echo "== Building the Windows programs in $BUILD_DIR/win32"
    configure_windows_build "$win32" "$build/demo-build.log" || fail "the build failed"
    choose_launcher
    build_windows_targets "$win32" "$build/demo-build.log" jobport sample_host wine_printers \
        tessary dialog_driver "$launcher_target" || fail "the build failed"
    rerun_on_display DEMO_ON_DISPLAY
fi

# ---- Part two, on the display.
choose_launcher
programs=$win32/out
demo=$build/demo
short() { printf '%s' "${1#"$repo"/}"; }
source scripts/demo-settings.sh
use_wine_prefix "$build/demo-prefix" || fail "the Wine prefix $(short "$build/demo-prefix") could not be set up"

echo "== Installing in $(short "$demo") (Wine prefix $(short "$WINEPREFIX"))"
prepare_installation "$demo" "$programs" "$launcher_program" ||
    fail "the installation could not be prepared"
install_settings_program "$programs" || fail "cannot install Tessary.exe and Tessary.cfg"
remove_old_handoff_files
cp "$programs/sample_host.exe" "$HOST_DIR/" || fail "cannot copy sample_host.exe"
cp tools/sample_host/demo_jobs.txt "$HOST_DIR/jobs.txt" &&
    cp tools/sample_host/demo_jobs_after_settings.txt "$HOST_DIR/jobs-after-settings.txt" ||
    fail "cannot copy the job scripts"
if [ "$launcher_target" = launcher_double ]; then
    launcher_kind=double
    echo "  KESTRO.EXE: the launcher double (kestro_double.exe); it prints nothing and"
    echo "  records every message and hand-off file in $(short "$demo")/launcher-record-N.txt"
else
    launcher_kind=real
    echo "  KESTRO.EXE: the real launcher (target $launcher_target); it prints on the"
    echo "  default printer, or the printer chosen in Tessary.exe, and deletes what it printed"
fi
echo "  Tessary.exe and Tessary.cfg beside KESTRO.EXE in install/"
echo "  default printer \"$PRINTER_NAME\", printing PostScript into $(short "$PRINTED_FILE")"
echo "  registry HKLM\\SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate: \"Directory Path\", \"Setting Path\","
echo "  \"System Directory\", \"Debug Log Path\" name install/, settings/, system/, logs/"
echo "  \"KESTRO.cfg\" in host/, \"KESTROst.ini\" in settings/"

# The library starts the launcher with the host's environment.
export KESTRO_DOUBLE_RECORD
export KESTRO_DOUBLE_EXIT_ON_DELETE=1
debug_log=$LOG_DIR/KESTROd.LOG
declare -A launcher_log_read   # bytes of each launcher log shown so far
account_problems=""

printed_sheets() {
    if [ -s "$PRINTED_FILE" ]; then grep -c '^%%Page:' "$PRINTED_FILE"; else echo 0; fi
}

# run_host NUMBER SCRIPT TITLE: the host's run NUMBER with the job script
# SCRIPT (in host/), then the account of it under TITLE: the debug log's
# lines of this run, what the launcher received or did, and the problems
# found. ACCOUNT_SETTINGS_KEYS names the keys of the job settings files
# shown (launcher double only).
run_host() {
    local run=$1 script=$2 title=$3
    local host_output=$demo/host-output-$run.txt
    local record=$demo/launcher-record-$run.txt
    # The ring log grows record by record until "LogSizeLimit" (1 MB here,
    # far more than the demo writes): this run's lines follow the earlier ones.
    local log_start=300 own_log=$LOG_DIR/KESTROlauncher.log launcher_start=0
    [ -f "$debug_log" ] && log_start=$(stat -c %s "$debug_log")
    [ -f "$own_log" ] && launcher_start=$(stat -c %s "$own_log")
    KESTRO_DOUBLE_RECORD=$(windows_path "$record")

    echo
    echo "== The host scans: sample_host.exe -f $script (in $(short "$HOST_DIR"))"
    # Into a file, not a pipe: the launcher that the host starts inherits its
    # standard handles and would hold a pipe open after the host has ended.
    (cd "$HOST_DIR" && timeout 300 wine sample_host.exe --settings "$(windows_path "$SETTINGS_FILE")" \
        --answer-boxes -f "$script" >"$host_output" 2>&1)
    local host_status=$?
    tr -d '\r' <"$host_output" | sed 's/^/  /'
    [ "$host_status" -eq 124 ] && fail "the host did not finish within 300 s"

    # Unloading the library told the launcher to end; it ends once it has done
    # what it was handed and the user has answered its boxes about pages it
    # could not print.
    [ "$launcher_kind" = real ] && answer_launcher_boxes "$run" "$launcher_start"
    if ! timeout 120 wineserver -w; then
        # A group it cannot print makes the launcher show a box and wait.
        local refused
        refused=$(tail -c +$((launcher_start + 1)) "$own_log" 2>/dev/null | tr -d '\r' |
                  sed -n 's/^.*\] not printed: //p' | head -n 3)
        [ -z "$refused" ] ||
            fail "the launcher could not print a group and waits for its message box to be answered: $refused"
        fail "the launcher was still running 120 s after the host ended (waiting for a box to be answered?)"
    fi

    echo
    echo "== Account of $title"
    [ -f "$debug_log" ] || fail "there is no debug log $(short "$debug_log")"
    local launcher_record=/dev/null
    if [ "$launcher_kind" = double ]; then
        [ -f "$record" ] || fail "the launcher double wrote no record ($(short "$record"))"
        launcher_record=$record
    fi
    # Each 300-byte record of the ring log is a line; the header comes before.
    awk -v record_used="$([ "$launcher_kind" = double ] && echo 1 || echo 0)" \
        -v settings_keys="${ACCOUNT_SETTINGS_KEYS:-Copies|NupPrintSetting|SortSetting}" \
        -f scripts/demo-account.awk <(tail -c +$((log_start + 1)) "$debug_log" | tr -d '\r') \
        "$launcher_record" || account_problems+=" the account of run $run found problems (see above);"

    if [ "$launcher_kind" = real ]; then
        local launcher_log shown
        while read -r launcher_log; do
            shown=${launcher_log_read[$launcher_log]:-0}
            launcher_log_read[$launcher_log]=$(stat -c %s "$launcher_log")
            echo
            echo "What the launcher did (its log $(short "$launcher_log"), without the lines"
            echo "about deleted files and the printer's size):"
            tail -c +$((shown + 1)) "$launcher_log" | tr -d '\r' |
                grep -v -e '] deleted ' -e '] printer "' | cut -c 12-170 | sed 's/^/  /'
        done < <(find "$LOG_DIR" -type f ! -name KESTROd.LOG ! -name KESTROe.log)
        if [ "$(printed_sheets)" -eq "$sheets_before_run" ] &&
           tail -c +$((log_start + 1)) "$debug_log" | tr -d '\r' | grep -q ',1125,'; then
            echo
            echo "PROBLEMS:"
            echo "  the launcher was handed pages but nothing was printed"
            account_problems+=" run $run printed nothing;"
        fi
    fi
    [ "$host_status" -eq 0 ] ||
        account_problems+=" the host's run $run reported failed calls (exit code $host_status);"
}

# answer_launcher_boxes RUN LOG_START: while the launcher of this run (its
# process named in its log after byte LOG_START) shows a message box, takes
# a screenshot of it, shows its text and answers it, as the user would.
launcher_boxes_shown=0
answer_launcher_boxes() {
    local run=$1 log_start=$2 process record=$demo/launcher-box.txt output=$demo/launcher-box-output.txt
    local shot number=0
    process=$(tail -c +$((log_start + 1)) "$LOG_DIR/KESTROlauncher.log" 2>/dev/null | tr -d '\r' |
              sed -n 's/.*KESTRO started, process \([0-9]*\),.*/\1/p' | tail -n 1)
    [ -n "$process" ] || return 0
    while [ "$number" -lt 10 ] &&
          wine "$demo/dialog_driver.exe" box "$process" "$(windows_path "$record")" >"$output" 2>&1; do
        number=$((number + 1))
        launcher_boxes_shown=$((launcher_boxes_shown + 1))
        shot=$demo/launcher-box-$run-$number.png
        echo
        echo "The launcher tells the user what it could not print (a box of its own; printing"
        echo "went on meanwhile):"
        tr -d '\r' <"$output" | sed 's/^/  /'
        screenshot "$shot" "$record" || echo "  (no screenshot of the box)"
        wine "$demo/dialog_driver.exe" answer "$(windows_path "$record")" >"$output" 2>&1
        tr -d '\r' <"$output" | sed 's/^/  /'
    done
}

# ---- The first scan: four jobs with the settings the host saves itself.
sheets_before_run=0
run_host 1 jobs.txt "the first scan"
sheets_of_first_run=$(printed_sheets)

# ---- The settings program: the user changes the layout and presses OK.
run_settings_program || fail "$settings_failure"

# ---- The scan after it: every layout option comes from what Tessary.exe stored.
sheets_before_run=$sheets_of_first_run
launcher_log_start=$(stat -c %s "$LOG_DIR/KESTROlauncher.log" 2>/dev/null || echo 0)
layout_keys="Copies|$(IFS='|'; echo "${STORED_LAYOUT_KEYS[*]}")"
ACCOUNT_SETTINGS_KEYS=$layout_keys run_host 2 jobs-after-settings.txt "the scan after the settings program"
sheets_of_second_run=$(printed_sheets)

echo
echo "== Did the job after the settings program follow them?"
check_layout_after_settings "$launcher_kind" "$sheets_of_first_run" "$launcher_log_start" ||
    account_problems+=" the job after the settings program did not follow them;"

# ---- The user's own pages, when PAGES names them.
if [ -n "${PAGES:-}" ]; then
    sheets_before_run=$sheets_of_second_run
    write_own_pages_job "$HOST_DIR/own-pages.txt" || fail "cannot copy the pages of PAGES"
    run_host 3 own-pages.txt "your own pages (PAGES)"
fi

echo
echo "Files:"
page_count=$(find "$DATA_DIR" -maxdepth 1 -name '*.bmp' | wc -l)
if [ "$page_count" -gt 0 ]; then
    echo "  page files: $page_count bitmaps in $(short "$DATA_DIR"), each showing its page and job number"
else
    echo "  page files: none left in $(short "$DATA_DIR") (the launcher deletes what it printed)"
fi
# Pages the launcher could not print, kept where JP_init never deletes them.
kept_files=$(find "$DATA_DIR" -mindepth 2 -path '*/Not printed*' -type f 2>/dev/null | sort)
if [ -n "$kept_files" ]; then
    echo "  pages the launcher could not print (a marked placeholder took their place on the"
    echo "  sheets), kept in $(short "$(dirname "$(head -n 1 <<<"$kept_files")")"):"
    while read -r file; do echo "    $(basename "$file")"; done <<<"$kept_files"
fi
# The launcher deletes a group's page list once it has printed the group,
# and a job's settings file when the job ends; the double deletes nothing.
handoff_files=$(find "$WINEPREFIX/drive_c/users" -name 'KST_*.$$$' -type f 2>/dev/null | sort)
handoff_count=$(grep -c . <<<"$handoff_files")
if [ "$handoff_count" -eq 0 ]; then
    handoff_where=""
else
    handoff_where=" in $(short "$(dirname "$(head -n 1 <<<"$handoff_files")")"):"
    handoff_where+=$(while read -r file; do printf ' "%s"' "$(basename "$file")"; done <<<"$handoff_files")
fi
if [ "$launcher_kind" = double ]; then
    echo "  hand-off files left: $handoff_count$handoff_where"
    echo "    (expected: the launcher double records the files it is handed and deletes none)"
elif [ "$handoff_count" -eq 0 ]; then
    echo "  hand-off files left: none (expected: KESTRO.EXE deletes each group's page list once"
    echo "    printed and each job's settings file when the job ends)"
else
    echo "  hand-off files left: $handoff_count$handoff_where"
    echo "    NOT expected: KESTRO.EXE deletes the files of every group it printed and of every"
    echo "    job that ended; files are left only by a group that could not be printed"
    account_problems+=" hand-off files were left;"
fi
echo "  debug log: $(short "$debug_log") ($(($(stat -c %s "$debug_log") / 300 - 1)) lines in 300-byte" \
     "records); error log: KESTROe.log beside it"
[ "$launcher_kind" = double ] &&
    echo "  launcher records: $(short "$demo")/launcher-record-1.txt, launcher-record-2.txt"
echo "  host output: $(short "$demo")/host-output-1.txt, host-output-2.txt$(
     [ -n "${PAGES:-}" ] && echo ", host-output-3.txt")"
echo "  settings program: $(short "$SETTINGS_SCREENSHOT") (as it opened)," \
     "$(basename "$SETTINGS_CHOSEN_SCREENSHOT") (with the choices);"
echo "  what the dialog driver printed: $(short "$SETTINGS_DRIVER_OUTPUT")"
printed_pages=$(printed_sheets)
if [ "$printed_pages" -gt 0 ]; then
    echo "  printed: $(short "$PRINTED_FILE") ($(stat -c %s "$PRINTED_FILE") bytes of PostScript," \
         "$printed_pages sheets)"
    # The sheets as pictures, one PNG per sheet, to look at.
    sheets_dir="$(dirname "$PRINTED_FILE")/sheets"
    rm -rf "$sheets_dir" && mkdir -p "$sheets_dir"
    # 100 dpi: small print and the pages' figures stay readable.
    if gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r100 \
          -o "$sheets_dir/sheet-%02d.png" "$PRINTED_FILE" >/dev/null 2>&1; then
        echo "  the printed sheets as pictures, at 100 dpi (sheets 1 to $sheets_of_first_run of the" \
             "first scan, $((sheets_of_first_run + 1)) to $sheets_of_second_run after the settings program$(
             [ "$printed_pages" -gt "$sheets_of_second_run" ] &&
             echo ", $((sheets_of_second_run + 1)) to $printed_pages your own pages")):"
        for png in "$sheets_dir"/sheet-*.png; do echo "    $(short "$png")"; done
    else
        fail "Ghostscript could not render $(short "$PRINTED_FILE")"
    fi
else
    echo "  printed: nothing in $(short "$PRINTED_FILE")$([ "$launcher_kind" = double ] &&
        echo " (the launcher double does not print)")"
fi

echo
account_problems=${account_problems# }
[ -z "$account_problems" ] || fail "${account_problems%;}"
if [ "$launcher_kind" = double ]; then
    echo "Demo finished: every call succeeded; every page reached the launcher or was deleted"
    echo "with its aborted job; the job after the settings program was handed its choices."
else
    echo "Demo finished: every call succeeded and the launcher printed $printed_pages sheets;"
    echo "sheets $((sheets_of_first_run + 1)) to $sheets_of_second_run follow the choices made in Tessary.exe$(
         [ "$printed_pages" -gt "$sheets_of_second_run" ] && echo ", the rest are your own pages")."
    [ -z "$kept_files" ] ||
        echo "$(grep -c . <<<"$kept_files") of your files could not be printed: the launcher printed a marked" \
             "placeholder in the place of each, kept the files and told the user in $launcher_boxes_shown box(es)" \
             "(screenshots: $(short "$demo")/launcher-box-*.png)."
fi
