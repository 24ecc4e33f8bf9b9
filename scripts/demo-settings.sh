# Sourced by demo.sh (and by readme-screenshots.sh for its screenshot): the
# settings program's part of the demo. Installs Tessary.exe, opens it on the
# virtual display, takes screenshots of its dialog, makes the demo user's
# choices through the real controls with tools/dialog_driver, presses OK,
# shows what the program stored, and after the next job checks that the job
# followed the choices. Expects the variables of prepare_installation
# (demo-setup.sh), $demo, $DISPLAY and the function short.

# Control ids of the dialog (settings_program/resources/dialog_ids.h).
readonly ID_OK=1 ID_PRINTER_LIST=1136
readonly ID_SORT_PRINT=11001 ID_FRAME_PRINTING=11006 ID_AUTO_ROTATE=11007
readonly ID_ONE_JOB_ONE_PAGE=11008 ID_ONE_JOB_N_PAGE=11009
readonly ID_HORIZONTAL_LIST=11014 ID_VERTICAL_LIST=11015 ID_PRINT_SIZE_LIST=11016

# The demo user's choices, as dialog_driver steps; sorting moves "Start
# printing" to "After the job is scanned" (with a notice).
readonly SETTINGS_CHOICES=(
    choose "$ID_HORIZONTAL_LIST" Right
    choose "$ID_VERTICAL_LIST" Bottom
    choose "$ID_PRINT_SIZE_LIST" "Full size"
    check "$ID_FRAME_PRINTING"
    check "$ID_SORT_PRINT"
)
# What OK must store for them in KESTROst.ini: section, key and value.
readonly STORED_CHOICES=(
    "Velora Config|PrintAfterReceivedAllData|1"
    "Print Setting|PrintPosSetting|8"
    "Print Setting|SortSetting|1"
    "Print Setting|PrintSizeSetting|1"
    "Print Setting|PageFramePrintSetting|1"
    "Print Setting|AutoRotatePrintSetting|1"
)
# The layout keys of the job settings file that must follow them.
readonly STORED_LAYOUT_KEYS=(PrintPosSetting SortSetting PrintSizeSetting NupPrintSetting
                             PageFramePrintSetting AutoRotatePrintSetting)
# Every option the dialog shows, read back from its controls.
readonly SHOWN_CONTROLS=("$ID_PRINTER_LIST" "$ID_ONE_JOB_ONE_PAGE" "$ID_ONE_JOB_N_PAGE"
                         "$ID_SORT_PRINT" "$ID_HORIZONTAL_LIST" "$ID_VERTICAL_LIST"
                         "$ID_PRINT_SIZE_LIST" "$ID_FRAME_PRINTING" "$ID_AUTO_ROTATE")

SETTINGS_SCREENSHOT=$demo/settings-dialog.png
SETTINGS_CHOSEN_SCREENSHOT=$demo/settings-dialog-chosen.png
SETTINGS_DRIVER_OUTPUT=$demo/dialog-driver-output.txt
settings_failure=""

# install_settings_program PROGRAMS: Tessary.exe and its texts beside
# KESTRO.EXE; the dialog driver, no part of the system, in the demo folder.
install_settings_program() {
    cp "$1/Tessary.exe" "$1/Tessary.cfg" "$INSTALL_DIR/" &&
        cp "$1/dialog_driver.exe" "$demo/"
}

# ini_value FILE SECTION KEY: the value of KEY in SECTION of an INI file.
ini_value() {
    tr -d '\r' <"$1" | awk -v section="[$2]" -v key="$3" '
        /^\[/ { inside = ($0 == section); next }
        inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

# drive_dialog STEP...: runs dialog_driver.exe on the open dialog; shows
# its lines indented and keeps them in $SETTINGS_DRIVER_OUTPUT.
drive_dialog() {
    local output=$demo/dialog-driver-step.txt status
    # Into a file: a wine program's output through a pipe may be held open.
    wine "$demo/dialog_driver.exe" drive "$(windows_path "$demo/settings-window.txt")" "$@" \
        >"$output" 2>&1
    status=$?
    tr -d '\r' <"$output" | tee -a "$SETTINGS_DRIVER_OUTPUT" | sed 's/^/    /'
    return "$status"
}

# show_controls: every option as the dialog shows it.
show_controls() {
    local steps=() id
    for id in "${SHOWN_CONTROLS[@]}"; do steps+=(show "$id"); done
    drive_dialog "${steps[@]}"
}

# screenshot PNG [WINDOW_FILE]: the window dialog_driver wrote to WINDOW_FILE
# (default: the settings dialog's), cut from a picture of the display. The
# window may still be painting its controls when it shows, so pictures are
# taken until two in a row are the same (at most 50).
screenshot() {
    local process control left top width height attempt
    local picture=$demo/screenshot.ppm previous=$demo/screenshot-previous.ppm
    read -r process control left top width height <"${2:-$demo/settings-window.txt}" || return 1
    rm -f "$previous"
    for ((attempt = 1; attempt <= 50; attempt++)); do
        xwd -root -silent -display "$DISPLAY" |
            convert xwd:- -crop "${width}x${height}+${left}+${top}" +repage "ppm:$picture" \
                2>/dev/null || return 1
        if [ -f "$previous" ] && cmp -s "$picture" "$previous"; then
            rm -f "$previous"
            convert "$picture" "$1" && rm -f "$picture" &&
                echo "  screenshot: $(short "$1")"
            return
        fi
        mv "$picture" "$previous" || return 1
    done
    return 1
}

# describe_devmode FILE: the printer, paper and orientation of a stored device mode.
describe_devmode() {
    local name form orientation
    name=$(head -c 32 "$1" | tr -d '\0')
    form=$(tail -c +71 "$1" | head -c 32 | tr -d '\0')     # dmFormName
    orientation=$(od -An -tu2 -j 44 -N 2 "$1" | tr -d ' ')   # dmOrientation
    case $orientation in 1) orientation=portrait ;; 2) orientation=landscape ;; esac
    printf '"%s", paper "%s", %s' "$name" "$form" "$orientation"
}

# run_settings_program: the whole settings step; false with the reason in
# $settings_failure.
run_settings_program() {
    local started=$demo/dialog-driver-open.txt
    : >"$SETTINGS_DRIVER_OUTPUT"
    echo
    echo "== The settings program: $(short "$INSTALL_DIR")/Tessary.exe, driven by dialog_driver.exe"
    echo "  (tools/dialog_driver: window messages to the real controls, as clicks and choices)"
    wine "$demo/dialog_driver.exe" open "$(windows_path "$INSTALL_DIR/Tessary.exe")" \
        "$ID_HORIZONTAL_LIST" "$(windows_path "$demo/settings-window.txt")" >"$started" 2>&1
    local status=$?
    tr -d '\r' <"$started" | tee -a "$SETTINGS_DRIVER_OUTPUT" | sed 's/^/  /'
    [ "$status" -eq 0 ] || { settings_failure="the settings dialog did not open"; return 1; }
    screenshot "$SETTINGS_SCREENSHOT" ||
        { settings_failure="no screenshot of the settings dialog"; return 1; }
    echo "  As it opened (read from the controls):"
    show_controls || { settings_failure="the dialog's controls could not be read"; return 1; }

    echo "  The choices, made through the controls (each read back):"
    drive_dialog "${SETTINGS_CHOICES[@]}" ||
        { settings_failure="the choices could not be made in the dialog"; return 1; }
    echo "  Now the dialog shows:"
    show_controls || { settings_failure="the dialog's controls could not be read"; return 1; }
    screenshot "$SETTINGS_CHOSEN_SCREENSHOT" ||
        { settings_failure="no screenshot of the settings dialog"; return 1; }
    echo "  Pressing OK:"
    drive_dialog click "$ID_OK" wait-end ||
        { settings_failure="the settings program did not store and end after OK"; return 1; }

    echo "  What it stored in $(short "$SETTINGS_FILE") and beside it (the folder of the"
    echo "  registry value \"Setting Path\"):"
    local entry section key wanted value line="" shown_section="" problems=""
    for entry in "${STORED_CHOICES[@]}"; do
        IFS='|' read -r section key wanted <<<"$entry"
        value=$(ini_value "$SETTINGS_FILE" "$section" "$key")
        if [ "$section" != "$shown_section" ]; then
            [ -n "$line" ] && echo "$line"
            line="    KESTROst.ini [$section] $key=$value"
            shown_section=$section
        else
            line+=", $key=$value"
        fi
        [ "$value" = "$wanted" ] || problems+=" $key=$value (not $wanted)"
    done
    echo "$line"
    local printer slot devmode
    printer=$(ini_value "$SETTINGS_FILE" "Printer Infomation" SelectPrinterName)
    slot=$(ini_value "$SETTINGS_FILE" "Printer Infomation" SelectPrinterNo)
    echo "    KESTROst.ini [Printer Infomation] SelectPrinterName=$printer, SelectPrinterNo=$slot," \
         "devmode$slot=$(ini_value "$SETTINGS_FILE" "Printer Infomation" "devmode$slot")"
    [ "$printer" = "$PRINTER_NAME" ] || problems+=" SelectPrinterName=$printer"
    devmode=$SETTINGS_DIR/devmode$slot.bin
    if [ -n "$slot" ] && [ -s "$devmode" ] && [ -s "$SETTINGS_DIR/devname$slot.bin" ]; then
        echo "    devmode$slot.bin ($(stat -c %s "$devmode") bytes): the device mode of" \
             "$(describe_devmode "$devmode"); devname$slot.bin beside it"
    else
        problems+=" no devmode$slot.bin/devname$slot.bin"
    fi
    [ -z "$problems" ] || { settings_failure="KESTROst.ini does not hold the choices:$problems"; return 1; }
}

# check_layout_after_settings KIND SHEETS_BEFORE LOG_START: shows that the
# job after the settings program followed the stored choices: for the real
# launcher (KIND real) its log from byte LOG_START on and the printed sheets
# after the first SHEETS_BEFORE, for the double its record of the job
# settings file.
check_layout_after_settings() {
    local kind=$1 before=$2 log_start=$3 key wanted problems=""
    if [ "$kind" = double ]; then
        local line handed=""
        for key in PrintPosSetting SortSetting PrintSizeSetting PageFramePrintSetting; do
            line=$(tr -d '\r' <"$demo/launcher-record-2.txt" | grep -m 1 "^| $key=")
            handed+="${handed:+, }${line#| }"
            wanted=$(printf '%s\n' "${STORED_CHOICES[@]}" | sed -n "s/^Print Setting|$key|//p")
            [ "${line#| $key=}" = "$wanted" ] || problems+=" $key"
        done
        echo "  the job's settings file, as the launcher double received it: $handed"
        [ -z "$problems" ] || { echo "  not as stored:$problems"; return 1; }
        return 0
    fi

    # The launcher's own account of each group it printed.
    local groups layout='position 8, sort 1, size 1, n-up 0, frame 1'
    groups=$(tail -c +$((log_start + 1)) "$LOG_DIR/KESTROlauncher.log" | tr -d '\r' |
             sed -n 's/^.*\] \(job [0-9]* group [0-9]*: .*\)$/\1/p')
    sed 's/^/  the launcher: /' <<<"$groups"
    { [ -n "$groups" ] && ! grep -v -q "$layout" <<<"$groups"; } ||
        problems+=" the launcher's log;"

    # Each sheet's marks (Ghostscript's bounding box), in points from the
    # sheet's bottom left corner; a page of 827 x 1169 dots at 200 dpi is
    # 297.7 x 420.9 points at its own size.
    local sheet_size sheet=0 box
    sheet_size=$(grep -m 1 -o 'PageSize\[[0-9.]* [0-9.]*\]' "$PRINTED_FILE" | tr -d 'PageSize[]')
    while read -r box; do
        sheet=$((sheet + 1))
        [ "$sheet" -gt "$before" ] || continue
        awk -v sheet="$sheet" -v box="$box" -v size="$sheet_size" 'BEGIN {
            split(box, b, " "); split(size, s, " ")
            w = b[3] - b[1]; h = b[4] - b[2]
            ok = w > 290 && w < 306 && h > 413 && h < 429 && s[1] - b[3] < 40 && b[2] < 40
            printf "  sheet %02d (%s x %s points): the page at x %.0f-%.0f, y %.0f-%.0f, %.0f x %.0f mm: %s\n",
                sheet, s[1], s[2], b[1], b[3], b[2], b[4], w / 72 * 25.4, h / 72 * 25.4,
                ok ? "its own size, at the right bottom" : "NOT its own size at the right bottom"
            exit !ok }' || problems+=" sheet $sheet;"
    done < <(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox "$PRINTED_FILE" 2>&1 |
             sed -n 's/^%%HiResBoundingBox: //p')
    [ "$sheet" -gt "$before" ] || problems+=" no sheet was printed after the settings program;"
    [ -z "$problems" ] || { echo "  not as chosen:$problems"; return 1; }
}
