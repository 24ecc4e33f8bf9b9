#!/usr/bin/env bash
# One stage of the setup program's tests, in a Wine prefix of their own
# (RUN/prefix); the stages run in this order (see CMakeLists.txt):
#
#   prefix      a fresh prefix with a default printer that writes PostScript
#   install     silent install with /HOSTDIR=: files, versions, folders,
#               registry values, shortcut, entry of the installed programs
#   settings    the installed Tessary.exe opens its dialog; OK stores the
#               choices in the installed settings folder
#   print       a job through the installed library (the sample host runs in
#               the host folder), printed by the installed launcher with
#               those choices, rendered by Ghostscript
#   upgrade     refused with nothing changed while Tessary.exe runs; then
#               replaces the programs and keeps the user's settings
#   uninstall   removes programs, copies, shortcut and registry entries,
#               keeps the settings; installed again under a Japanese display
#               language it is Japanese; /REMOVESETTINGS removes them too
#   deployed_settings  /SETTINGS= installs a station's print settings on a
#               first install, keeps the station's own on an upgrade unless
#               /REPLACESETTINGS; /LANG=ja installs the Japanese Tessary.cfg
#               and KESTRO.cfg, /LANG=en the English ones (an edited
#               KESTRO.cfg stays); an unsound settings file (exit code 6) or
#               an unknown option or /LANG= value (exit code 5) changes nothing, nor does
#               the uninstaller with an unknown option (5) or while
#               Tessary.exe runs (2)
#   unsafe_folders  a link, or a folder of another owner, where Setup keeps
#               a data folder stops Setup with nothing changed; the
#               uninstaller deletes nothing through a link
#   prefix_end  ends the prefix's wineserver
#
#   installer_test.sh STAGE RUN INSTALLER VERSION JOBPORT_DLL SAMPLE_HOST
#                     DIALOG_DRIVER WINE_PRINTERS FOLDER_GUARD
#
# Wine keeps no DACL, but it turns the one Setup sets into Unix mode bits:
# a data folder Setup has given its permissions grants others nothing
# (mode ..0), where a folder made with inherited permissions is 755. Which
# user may do what in each folder is tested natively, from the SDDL text
# (tests/unit/secured_folders_test.cpp).
#
# Needs DISPLAY (scripts/run-wine-tests.sh runs under xvfb-run). Prints
# each check; exit code 1 when one failed.
set -uo pipefail
[ $# -eq 9 ] || { echo "usage: $0 STAGE RUN INSTALLER VERSION JOBPORT_DLL SAMPLE_HOST" \
                       "DIALOG_DRIVER WINE_PRINTERS FOLDER_GUARD" >&2; exit 2; }
stage=$1 run=$2 installer=$3 version=$4 built_dll=$5 sample_host=$6 dialog_driver=$7
wine_printers=$8 folder_guard=$9
repo=$(cd "$(dirname "$0")/../../.." && pwd)

export WINEPREFIX=$run/prefix
# No menu entries or file associations in the Unix desktop for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
source "$repo/scripts/wine-env.sh"

source "$(dirname "$0")/setup_test_lib.sh"
# The scanning program's folder, with a blank in its name.
host_dir="$run/scan host"
printer="Installer Test Printer"
printed=$run/printed.ps

run_setup() {  # run_setup ARGUMENT...: the installer's exit code
    timeout 120 wine "$installer" /S "$@" >"$run/setup-output.txt" 2>&1
}

# The uninstaller run where it lies (_?=, last and unquoted, from a batch
# file), so that its own exit code comes back; otherwise it runs from a copy.
run_uninstaller_in_place() {
    printf '"%s\\Uninstall.exe" %s _?=%s\r\nexit /b %%errorlevel%%\r\n' \
        "$program_dir_win" "$*" "$program_dir_win" >"$run/uninstall.cmd"
    timeout 120 wine cmd /c "$(windows_path "$run/uninstall.cmd")" >"$run/uninstall-output.txt" 2>&1
}

program_files=(jobport.dll KESTRO.EXE Tessary.exe Tessary.cfg KESTRO.cfg Uninstall.exe)
# The texts Setup installs as Tessary.cfg and KESTRO.cfg, in English and in Japanese.
english_tessary_cfg=$repo/settings_program/Tessary.cfg
english_kestro_cfg=$repo/installer/KESTRO.cfg
japanese_tessary_cfg=$repo/settings_program/ja/Tessary.cfg
japanese_kestro_cfg=$repo/installer/ja/KESTRO.cfg

# Runs the dialog driver and shows what it printed. Its output goes to a
# file: the program it starts inherits the handles and would hold a pipe.
run_dialog_driver() {
    local status
    wine "$dialog_driver" "$@" >"$run/dialog-driver-output.txt" 2>&1
    status=$?
    tr -d '\r' <"$run/dialog-driver-output.txt"
    return "$status"
}
# Opens the installed Tessary.exe's dialog (found by its horizontal
# position list, 11014); the dialog driver keeps its window in $run.
open_settings_program() {
    run_dialog_driver open "$program_dir_win\\Tessary.exe" 11014 "$(windows_path "$run/settings-window.txt")"
}
drive_settings_program() { run_dialog_driver drive "$(windows_path "$run/settings-window.txt")" "$@"; }

case $stage in
prefix)
    wineserver -k 2>/dev/null
    rm -rf "$run"
    mkdir -p "$run" "$host_dir"
    printf '[Scanner]\r\nResolution=200\r\n' >"$host_dir/scanner.ini"  # the host's own file
    check "a fresh Wine prefix is created" "$repo/scripts/wine-prefix.sh"
    # Wine pipes each print job into the command of a port starting with "|".
    check "a default printer writes PostScript to $printed" \
        wine "$wine_printers" add "$printer" "|cat >> $(printf '%q' "$printed")" --default
    finish
    ;;

install)
    run_setup "/HOSTDIR=$(windows_path "$host_dir")"
    check "silent Setup with /HOSTDIR= ends with exit code 0" [ $? -eq 0 ]
    for file in "${program_files[@]}"; do
        check "the program folder holds $file" [ -f "$program_dir/$file" ]
    done
    check "the installed jobport.dll is the built one" same_file "$program_dir/jobport.dll" "$built_dll"
    check "the host folder holds jobport.dll" same_file "$host_dir/jobport.dll" "$built_dll"
    check "the host folder holds KESTRO.cfg" same_file "$host_dir/KESTRO.cfg" "$program_dir/KESTRO.cfg"
    # The test prefix's display language is English.
    check "without /LANG= the English Tessary.cfg is installed" \
        same_file "$program_dir/Tessary.cfg" "$english_tessary_cfg"
    check "... and the English KESTRO.cfg" same_file "$program_dir/KESTRO.cfg" "$english_kestro_cfg"
    for binary in jobport.dll KESTRO.EXE Tessary.exe Uninstall.exe; do
        check "$binary has version $version" [ "$(file_version "$program_dir/$binary")" = "$version" ]
    done
    check "the installer has version $version" [ "$(file_version "$installer")" = "$version" ]
    for folder in "${secured_folders[@]}"; do
        check "Setup gave the data folder ${folder:-Quillmate} its permissions" \
            others_get_nothing "$data_root/$folder"
    done

    values=$(registry_key "$library_key")
    check "the library's registry key exists" [ $? -eq 0 ]
    check "\"Directory Path\" names the program folder" \
        has_line "$values" "Directory Path=$program_dir_win"
    check "\"Debug Log Path\" names the log folder" has_line "$values" "Debug Log Path=$data_root_win\\Logs"
    check "\"Setting Path\" names the settings folder" \
        has_line "$values" "Setting Path=$data_root_win\\Settings"
    check "\"System Directory\" names the folder of Data" \
        has_line "$values" "System Directory=$data_root_win\\System"

    entry=$(registry_key "$uninstall_key")
    check "the installed programs list Quillmate" has_line "$entry" "DisplayName=Quillmate"
    check "its version is $version" has_line "$entry" "DisplayVersion=$version"
    check "its uninstaller is the installed one" \
        has_line "$entry" "UninstallString=\"$program_dir_win\\Uninstall.exe\""
    check "it remembers the host folder" has_line "$entry" "HostFolder=$(windows_path "$host_dir")"

    check "its quiet uninstaller is the installed one with /S" \
        has_line "$entry" "QuietUninstallString=\"$program_dir_win\\Uninstall.exe\" /S"

    check "the Start menu has a Print Settings shortcut" [ -f "$shortcut_dir/Print Settings.lnk" ]
    check "the shortcut starts the installed Tessary.exe" \
        grep -qaF "$program_dir_win\\Tessary.exe" "$shortcut_dir/Print Settings.lnk"
    # What the MSI package's test compares its installation with.
    installation_listing "$host_dir" "$shortcut_dir/Print Settings.lnk" >"$run/nsis-listing.txt"
    finish
    ;;

settings)
    open_settings_program
    check "the installed Tessary.exe opens its dialog" [ $? -eq 0 ]
    # Horizontal right, vertical middle, full size, a frame; then OK.
    drive_settings_program choose 11014 Right choose 11015 Middle choose 11016 "Full size" \
        check 11006 click 1 wait-end
    check "the choices are made and OK ends the program" [ $? -eq 0 ]
    stored=$(ini_lines "$settings_dir/KESTROst.ini")
    check "KESTROst.ini in the installed settings folder holds the position (right, middle)" \
        has_line "$stored" "PrintPosSetting=7"
    check "... the frame" has_line "$stored" "PageFramePrintSetting=1"
    check "... full size" has_line "$stored" "PrintSizeSetting=1"
    check "... the chosen printer" has_line "$stored" "SelectPrinterName=$printer"
    slot=$(sed -n 's/^SelectPrinterNo=//p' <<<"$stored")
    check "the printer's device mode is stored beside it" [ -s "$settings_dir/devmode$slot.bin" ]
    check "nothing is stored in the program folder" no_path "$program_dir/KESTROst.ini"
    finish
    ;;

print)
    rm -f "$printed"
    cp "$sample_host" "$host_dir/sample_host.exe" || exit 1
    # The host runs in its own folder, where Setup put KESTRO.cfg; two pages
    # at 200 dpi are A6 at their own size.
    (cd "$host_dir" && timeout 300 wine sample_host.exe --answer-boxes \
        "job copies=1 pages=2 dpi=200" end >"$run/host-output.txt" 2>&1)
    status=$?
    tr -d '\r' <"$run/host-output.txt"
    check "every call of the sample host into the installed library succeeds" [ "$status" -eq 0 ]
    # Unloading the library told the launcher to end once it has printed.
    check "the installed launcher ends" timeout 120 wineserver -w
    launcher_log=$(ini_lines "$data_root/Logs/KESTROlauncher.log")
    check "the launcher logs into the installed log folder" [ -n "$launcher_log" ]
    check "the launcher printed with the stored choices" \
        grep -q "position 7, .*size 1, .*frame 1" <<<"$launcher_log"
    check "the library's debug log is in the installed log folder" [ -s "$data_root/Logs/KESTROd.LOG" ]
    check "the printed pages are gone from the data folder" \
        [ -z "$(find "$data_root/System/Data" -type f 2>/dev/null)" ]
    sheet=$(grep -m 1 -o 'PageSize\[[0-9.]* [0-9.]*\]' "$printed" 2>/dev/null | tr -d 'PageSize[]')
    boxes=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox "$printed" 2>&1 |
            sed -n 's/^%%HiResBoundingBox: //p')
    check "two sheets are printed" [ "$(grep -c . <<<"$boxes")" -eq 2 ]
    # Each page (its marks, in points from the sheet's bottom left corner)
    # lies at the right edge, halfway up, at its own size: A6 is 297.6 x
    # 419.5 points, its frame included.
    while read -r box; do
        check "the page on the sheet ($box) lies right, halfway up, at its own size" \
            awk -v box="$box" -v sheet="$sheet" 'BEGIN { split(box, b, " "); split(sheet, s, " ")
                width = b[3] - b[1]; height = b[4] - b[2]; middle = (b[2] + b[4]) / 2
                exit !(s[1] - b[3] < 40 && width > 290 && width < 306 && height > 412 &&
                       height < 428 && middle > s[2] * 0.45 && middle < s[2] * 0.55) }'
    done <<<"$boxes"
    finish
    ;;

upgrade)
    # An older installation: other binaries, an edited KESTRO.cfg, settings.
    printf 'an older build' >"$program_dir/jobport.dll"
    printf 'an older build' >"$host_dir/jobport.dll"
    printf '; changed by the user\r\n' >>"$host_dir/KESTRO.cfg"
    cp "$host_dir/KESTRO.cfg" "$run/KESTRO.cfg.before"
    printf '[Print Setting]\r\nPageFramePrintSetting=1\r\n' >>"$settings_dir/KESTROst.ini"
    cp "$settings_dir/KESTROst.ini" "$run/KESTROst.ini.before"
    printf 'device mode' >"$settings_dir/devmode9.bin"
    printf 'device names' >"$settings_dir/devname9.bin"
    # Folders as an earlier Setup left them: with the permissions they inherited.
    for folder in "${secured_folders[@]}"; do chmod 755 "$data_root/$folder"; done

    open_settings_program
    check "Tessary.exe runs and holds its file" [ $? -eq 0 ]
    run_setup
    check "silent Setup stops (exit code 2) while Tessary.exe runs" [ $? -eq 2 ]
    check "... having replaced nothing in the program folder" \
        grep -qx 'an older build' "$program_dir/jobport.dll"
    check "... nor in the host folder" grep -qx 'an older build' "$host_dir/jobport.dll"
    drive_settings_program click 2 wait-end
    check "Tessary.exe is closed with Cancel" [ $? -eq 0 ]

    run_setup
    check "silent Setup then upgrades (exit code 0)" [ $? -eq 0 ]
    check "the program folder's jobport.dll is replaced" same_file "$program_dir/jobport.dll" "$built_dll"
    check "the remembered host folder's jobport.dll is replaced" \
        same_file "$host_dir/jobport.dll" "$built_dll"
    check "the user's KESTRO.cfg stays" same_file "$host_dir/KESTRO.cfg" "$run/KESTRO.cfg.before"
    check "KESTROst.ini stays as it was" same_file "$settings_dir/KESTROst.ini" "$run/KESTROst.ini.before"
    check "the device-mode files stay" grep -qx 'device mode' "$settings_dir/devmode9.bin"
    check "... and their device names" grep -qx 'device names' "$settings_dir/devname9.bin"
    check "the host folder is still remembered" \
        has_line "$(registry_key "$uninstall_key")" "HostFolder=$(windows_path "$host_dir")"
    for folder in "${secured_folders[@]}"; do
        check "the upgrade gave the existing ${folder:-Quillmate} its permissions" \
            others_get_nothing "$data_root/$folder"
    done
    finish
    ;;

uninstall)
    # The uninstaller runs from a copy in the temporary folder: wait for the prefix.
    timeout 120 wine "$program_dir_win\\Uninstall.exe" /S >"$run/uninstall-output.txt" 2>&1
    check "the silent uninstaller starts" [ $? -eq 0 ]
    check "... and ends" timeout 120 wineserver -w
    check "the program folder is gone" no_path "$program_dir"
    check "the publisher's program folder is gone" no_path "$drive_c/Program Files/TRVX"
    check "the host folder's jobport.dll is gone" no_path "$host_dir/jobport.dll"
    check "the host folder's KESTRO.cfg is gone" no_path "$host_dir/KESTRO.cfg"
    check "the host's own files stay" [ -f "$host_dir/scanner.ini" ]
    check "the shortcut and its folder are gone" no_path "$shortcut_dir"
    check "the library's registry key is gone" no_registry_key "$library_key"
    check "the publisher's registry key is gone" no_registry_key 'HKLM\SOFTWARE\TRVX'
    check "the entry of the installed programs is gone" no_registry_key "$uninstall_key"
    check "the logs are gone" no_path "$data_root/Logs"
    check "the user's KESTROst.ini stays" [ -f "$settings_dir/KESTROst.ini" ]
    check "the user's device-mode files stay" [ -f "$settings_dir/devmode9.bin" ]

    # Installed again where Windows' display language is Japanese, then
    # removed with the stored settings.
    { LC_ALL=ja_JP.UTF-8 run_setup; } 2>/dev/null  # bash may lack the locale: no warning
    check "Setup installs again without a host folder" [ $? -eq 0 ]
    check "... in Japanese, Windows' display language" \
        same_file "$program_dir/Tessary.cfg" "$japanese_tessary_cfg"
    check "... and leaves the settings there" [ -f "$settings_dir/devmode9.bin" ]
    # Any user may mark a shared file read-only.
    wine cmd /c attrib +r "$data_root_win\\Settings\\devmode9.bin" >/dev/null 2>&1
    timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS \
        >"$run/uninstall-output.txt" 2>&1 && timeout 120 wineserver -w
    check "the uninstaller with /REMOVESETTINGS ends" [ $? -eq 0 ]
    check "it removes the settings (a read-only one too) and every data folder" \
        no_path "$drive_c/ProgramData/TRVX"
    check "it removes the program folder" no_path "$drive_c/Program Files/TRVX"
    finish
    ;;

deployed_settings)
    # Starts from no installation (the uninstall stage removed everything).
    if [ -f "$program_dir/Uninstall.exe" ]; then
        timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1
        timeout 120 wineserver -w
    fi
    rm -rf "$drive_c/ProgramData/TRVX"
    station=$run/station  # what an administrator prepared on one station
    make_station_settings "$station" 7 3
    make_station_settings "$run/out-of-range" 12
    make_station_settings "$run/no-device-mode" 7 5
    rm "$run/no-device-mode/devmode5.bin"
    mkdir -p "$run/not-ini"
    printf 'MZ\220\000 a program, not settings' >"$run/not-ini/KESTROst.ini"
    for bad in out-of-range no-device-mode not-ini; do
        run_setup "/SETTINGS=$(windows_path "$run/$bad/KESTROst.ini")"
        check "Setup refuses the settings file in $bad (exit code 6)" [ $? -eq 6 ]
        check "... having installed nothing" nothing_installed
    done
    for wrong in /BOGUS "/SETTINGS=" "/HOSTDIR" "/LANG=xx" "/LANG="; do
        run_setup "$wrong"
        check "Setup refuses the option \"$wrong\" (exit code 5)" [ $? -eq 5 ]
        check "... having installed nothing" nothing_installed
    done
    said=$(wine "$folder_guard" settings-check "$(windows_path "$run/out-of-range/KESTROst.ini")" | tr -d '\r')
    check "the reason Setup gives names the key and its range" \
        grep -qF '"PrintPosSetting" in section "Print Setting" is 12, outside 0 to 8' <<<"$said"

    run_setup "/SETTINGS=$(windows_path "$station/KESTROst.ini")" /LANG=ja \
        "/HOSTDIR=$(windows_path "$host_dir")"
    check "a first install with /SETTINGS= and /LANG=ja succeeds (exit code 0)" [ $? -eq 0 ]
    for file in KESTROst.ini devmode3.bin devname3.bin; do
        check "it installs the station's $file" same_file "$settings_dir/$file" "$station/$file"
    done
    check "it installs the Japanese Tessary.cfg" same_file "$program_dir/Tessary.cfg" "$japanese_tessary_cfg"
    check "... and the Japanese KESTRO.cfg" same_file "$program_dir/KESTRO.cfg" "$japanese_kestro_cfg"
    check "... also into the host folder" same_file "$host_dir/KESTRO.cfg" "$japanese_kestro_cfg"

    # The station's own settings stay on an upgrade unless /REPLACESETTINGS.
    make_station_settings "$run/station2" 2 4
    printf 'the station'"'"'s own\r\n' >>"$settings_dir/KESTROst.ini"
    cp "$settings_dir/KESTROst.ini" "$run/own.ini"
    run_setup "/SETTINGS=$(windows_path "$run/station2/KESTROst.ini")" /LANG=en
    check "an upgrade with /SETTINGS= and /LANG=en succeeds" [ $? -eq 0 ]
    check "... and keeps the station's own settings" same_file "$settings_dir/KESTROst.ini" "$run/own.ini"
    check "... without the other device mode" no_path "$settings_dir/devmode4.bin"
    check "... installs the English Tessary.cfg" same_file "$program_dir/Tessary.cfg" "$english_tessary_cfg"
    check "... and keeps the KESTRO.cfg there (Japanese)" \
        same_file "$program_dir/KESTRO.cfg" "$japanese_kestro_cfg"
    run_setup "/SETTINGS=$(windows_path "$run/station2/KESTROst.ini")" /REPLACESETTINGS
    check "an upgrade with /REPLACESETTINGS succeeds" [ $? -eq 0 ]
    check "... and replaces the settings" same_file "$settings_dir/KESTROst.ini" "$run/station2/KESTROst.ini"
    check "... with the new device mode" same_file "$settings_dir/devmode4.bin" "$run/station2/devmode4.bin"
    check "... and without the old one" no_path "$settings_dir/devmode3.bin"

    before=$(fingerprint "$run/station")
    run_uninstaller_in_place /S /BOGUS
    check "the uninstaller refuses an unknown option (exit code 5)" [ $? -eq 5 ]
    check "... having removed nothing" [ "$(fingerprint "$run/station")" = "$before" ]
    open_settings_program
    check "Tessary.exe runs and holds its file" [ $? -eq 0 ]
    before=$(fingerprint "$run/station")
    run_uninstaller_in_place /S
    check "the uninstaller stops (exit code 2) while Tessary.exe runs" [ $? -eq 2 ]
    check "... having removed nothing" [ "$(fingerprint "$run/station")" = "$before" ]
    drive_settings_program click 2 wait-end
    timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1
    timeout 120 wineserver -w
    check "the uninstaller then removes everything" no_path "$drive_c/ProgramData/TRVX"
    finish
    ;;

unsafe_folders)
    # Starts from no installation (this stage may run without the uninstall stage).
    if [ -f "$program_dir/Uninstall.exe" ]; then
        timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1
        timeout 120 wineserver -w
    fi
    rm -rf "$drive_c/ProgramData/TRVX" "$run/elsewhere"
    mkdir -p "$drive_c/ProgramData/TRVX" "$run/elsewhere"
    printf 'kept' >"$run/elsewhere/precious.txt"
    # A link where the product's folder belongs (Wine shows a symbolic link
    # to a folder as a reparse point, as Windows shows a junction).
    ln -s "$run/elsewhere" "$data_root"
    run_setup
    check "Setup stops (exit code 3) at a link in place of $data_root_win" [ $? -eq 3 ]
    check "... having installed nothing" nothing_installed
    check "... and written nothing where the link leads" \
        [ "$(ls -A "$run/elsewhere")" = precious.txt ]
    check "... nor changed its permissions" [ "$(stat -c %a "$run/elsewhere")" = 755 ]
    said=$(wine "$folder_guard" secure 'C:\ProgramData' 'TRVX\Quillmate' | tr -d '\r')
    check "the text Setup shows names the link" \
        grep -qxF "$data_root_win is a link to another place (a junction or a symbolic link), not a folder of its own." <<<"$said"
    rm "$data_root"

    # The publisher's folder made by another user (Wine names an owner
    # other than the Unix user running it ANONYMOUS LOGON).
    if [ "$(id -u)" -eq 0 ]; then
        mkdir -p "$data_root/Logs"
        chown -R nobody "$drive_c/ProgramData/TRVX"
        before=$(mode_and_owner "$drive_c/ProgramData/TRVX")
        run_setup
        check "Setup stops (exit code 3) at a folder of another owner" [ $? -eq 3 ]
        check "... having installed nothing" nothing_installed
        check "... and left that folder as it was" \
            [ "$(mode_and_owner "$drive_c/ProgramData/TRVX")" = "$before" ]
        check "... with its contents" [ "$(find "$drive_c/ProgramData/TRVX" | wc -l)" -eq 3 ]
        rm -rf "$drive_c/ProgramData/TRVX"
    else
        echo "skipped: a folder of another owner (chown needs root)"
    fi

    # Logs that are a link by the time the uninstaller runs: it deletes
    # nothing where the link leads and leaves the link.
    run_setup
    check "Setup installs in a clean place" [ $? -eq 0 ]
    rmdir "$data_root/Logs" 2>/dev/null || rm -rf "$data_root/Logs"
    mkdir -p "$run/elsewhere-logs"
    printf 'kept' >"$run/elsewhere-logs/KESTROd.LOG"
    printf 'kept' >"$run/elsewhere-logs/KESTROe.log"
    ln -s "$run/elsewhere-logs" "$data_root/Logs"
    timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS \
        >"$run/uninstall-output.txt" 2>&1 && timeout 120 wineserver -w
    check "the uninstaller ends" [ $? -eq 0 ]
    check "it removes the programs" no_path "$program_dir"
    for log in KESTROd.LOG KESTROe.log; do
        check "it deletes no $log where the link leads" [ -f "$run/elsewhere-logs/$log" ]
    done
    check "it leaves the link" [ -L "$data_root/Logs" ]
    check "it removes the data folders that are its own" no_path "$data_root/System"
    rm -rf "$drive_c/ProgramData/TRVX"
    finish
    ;;

prefix_end)
    wineserver -k 2>/dev/null
    exit 0
    ;;

*)
    echo "unknown stage \"$stage\"" >&2
    exit 2
    ;;
esac
