#!/usr/bin/env bash
# Takes the README's pictures of the settings dialog again:
#   docs/tessary-dialog.png      at 100 % (96 dpi)
#   docs/tessary-dialog-150.png  at 150 % (144 dpi)
#   docs/tessary-dialog-ja.png   at 100 % with ja/Tessary.cfg, run with code
#                                page 932 as a Japanese Windows runs it
# Builds what it needs, then on a virtual display, in a fresh Wine prefix of
# its own ($BUILD_DIR/screenshots-prefix) with one default printer,
# "Office printer", opens Tessary.exe with tools/dialog_driver, takes the
# dialog's picture once it has finished painting (the demo's screenshot) and
# closes it with Cancel. Ends with "Screenshots written" or
# "SCREENSHOTS FAILED: reason" and a non-zero exit code.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source scripts/demo-setup.sh

fail() {
    echo "SCREENSHOTS FAILED: $*"
    exit 1
}

build_then_rerun_on_display SCREENSHOTS_ON_DISPLAY screenshots \
    tessary dialog_driver wine_printers code_page_932_locale

# ---- On the display.
programs=$win32/out
demo=$build/screenshots   # the working folder of the demo's screenshot function
short() { printf '%s' "${1#"$repo"/}"; }
source scripts/demo-settings.sh

prefix=$build/screenshots-prefix
WINEPREFIX=$prefix wineserver -k 2>/dev/null
rm -rf "$prefix" "$demo"
use_wine_prefix "$prefix" || fail "the Wine prefix $(short "$prefix") could not be set up"

# Tessary.exe with its English texts, and once more with the Japanese ones;
# both keep their print settings in one folder the registry names.
INSTALL_DIR=$demo/english
japanese=$demo/japanese
mkdir -p "$INSTALL_DIR" "$japanese" "$demo/settings" || fail "cannot create $(short "$demo")"
install_settings_program "$programs" &&
    cp "$programs/Tessary.exe" "$japanese/" &&
    cp "$programs/ja/Tessary.cfg" "$japanese/Tessary.cfg" || fail "cannot install Tessary.exe"
wine reg add 'HKLM\SOFTWARE\TRVX\Corvane-Suite\Quillmate' /v "Setting Path" /t REG_SZ \
    /d "$(windows_path "$demo/settings")" /f >/dev/null 2>&1 || fail "cannot set \"Setting Path\""
# Nothing is printed: the port only shows as the printer's place.
wine "$programs/wine_printers.exe" add "Office printer" "LPT1:" --default >/dev/null 2>&1 ||
    fail "cannot add the printer \"Office printer\""

# take PNG DPI FOLDER [ENV...]: opens Tessary.exe of FOLDER at DPI dots per
# inch (with the environment ENV), saves its dialog's picture as PNG and
# closes it with Cancel.
take() {
    local png=$1 dpi=$2 folder=$3 opened=$demo/dialog-driver-open.txt
    shift 3
    echo "== $(short "$folder")/Tessary.exe at $dpi dpi${*:+ ($*)}"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
        fail "cannot set the display scale"
    env "$@" wine "$demo/dialog_driver.exe" open "$(windows_path "$folder/Tessary.exe")" \
        "$ID_HORIZONTAL_LIST" "$(windows_path "$demo/settings-window.txt")" >"$opened" 2>&1 ||
        fail "the dialog did not open: $(tr -d '\r' <"$opened")"
    ! grep -q "message box" "$opened" || fail "the program showed a box: $(tr -d '\r' <"$opened")"
    # The demo's screenshot waits until two pictures in a row are the same;
    # the PNG is written without its time of writing, so an unchanged
    # dialog gives the same file.
    screenshot "$png" && mogrify -define png:exclude-chunks=date,time "$png" ||
        fail "no screenshot of the dialog"
    env "$@" wine "$demo/dialog_driver.exe" drive "$(windows_path "$demo/settings-window.txt")" \
        click 2 wait-end >"$demo/dialog-driver-close.txt" 2>&1 ||
        fail "Cancel did not end the program: $(tr -d '\r' <"$demo/dialog-driver-close.txt")"
}

take "$repo/docs/tessary-dialog.png" 96 "$INSTALL_DIR"
take "$repo/docs/tessary-dialog-150.png" 144 "$INSTALL_DIR"
take "$repo/docs/tessary-dialog-ja.png" 96 "$japanese" \
    LC_ALL=ja_JP.UTF-8 LOCPATH="$win32/tests/win32/code_page/locale"
echo "Screenshots written"
