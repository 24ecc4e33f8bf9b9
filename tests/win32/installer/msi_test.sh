#!/usr/bin/env bash
# One stage of the MSI package's tests under Wine's msiexec, in a Wine
# prefix of their own (RUN/msi-prefix); the stages run in this order:
#
#   prefix     a fresh prefix with a default printer
#   install    silent install with HOSTDIR: files, registry values, data
#              folders and their permissions, shortcut, the entry of the
#              installed programs with its quiet uninstall; the same as
#              the NSIS installer's (its install stage's listing)
#   refusals   nothing changes when Tessary.exe holds its file, HOSTDIR is
#              no full path, SETTINGSFILE is not sound, a link stands where
#              a data folder belongs, an older package is started, or the
#              NSIS installer is started over the package
#   upgrade    an older package installed with HOSTDIR and SETTINGSFILE,
#              then this one without them: host folder remembered,
#              KESTRO.cfg and the print settings kept; REPLACESETTINGS=1
#              replaces the settings
#   uninstall  the quiet uninstall removes what the package installed and
#              keeps the settings; REMOVESETTINGS=1 removes them; over an
#              installation of the NSIS installer the package is refused
#   prefix_end ends the prefix's wineserver
#
#   msi_test.sh STAGE RUN MSI OLDER_MSI VERSION NSIS_INSTALLER NSIS_RUN
#               DIALOG_DRIVER WINE_PRINTERS
#
# Wine's msiexec ends with the exit code Windows gives, but a Unix exit
# code keeps only its low 8 bits: 1603 arrives as 67 (msi_exit_is).
# Needs DISPLAY. Prints each check; exit code 1 when one failed.
set -uo pipefail
[ $# -eq 9 ] || { echo "usage: $0 STAGE RUN MSI OLDER_MSI VERSION NSIS_INSTALLER NSIS_RUN" \
                       "DIALOG_DRIVER WINE_PRINTERS" >&2; exit 2; }
stage=$1 run=$2 msi=$3 older_msi=$4 version=$5 nsis_installer=$6 nsis_run=$7
dialog_driver=$8 wine_printers=$9
repo=$(cd "$(dirname "$0")/../../.." && pwd)

export WINEPREFIX=$run/msi-prefix
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
source "$repo/scripts/wine-env.sh"
source "$(dirname "$0")/setup_test_lib.sh"

host_dir="$run/msi scan host"
# Wine's msiexec puts the Start menu of a per-machine package in the
# installing user's Start menu; Windows in the common one ($shortcut_dir).
user_shortcut_dir=$(echo "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs)/Quillmate
product_code=$(msiinfo export "$msi" Property 2>/dev/null | tr -d '\r' | sed -n 's/^ProductCode\t//p')
msi_entry="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"

# msi_exit_is CODE STATUS: msiexec ended with CODE.
msi_exit_is() { [ "$2" -eq $(($1 % 256)) ]; }
msiexec_quietly() {  # msiexec_quietly ARGUMENT...: msiexec's exit code; its log in $run/msi.log
    timeout 120 wine msiexec /qn /l*v "$(windows_path "$run/msi.log")" "$@" >/dev/null 2>&1
}
install_package() {  # install_package MSI PROPERTY=VALUE...
    local package=$1
    shift
    msiexec_quietly /i "$(windows_path "$package")" "$@"
}
installed_shortcut() {
    if [ -f "$shortcut_dir/Print Settings.lnk" ]; then
        echo "$shortcut_dir/Print Settings.lnk"
    else
        echo "$user_shortcut_dir/Print Settings.lnk"
    fi
}
# The message a refusal wrote into the log.
log_says() { grep -qaF -- "$1" "$run/msi.log"; }
run_dialog_driver() {
    wine "$dialog_driver" "$@" >"$run/dialog-driver-output.txt" 2>&1
}
host_arg() { echo "HOSTDIR=$(windows_path "$host_dir")"; }

case $stage in
prefix)
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX" "$host_dir" "$run/msi-station" "$run/msi-bad"
    mkdir -p "$run" "$host_dir"
    printf '[Scanner]\r\nResolution=200\r\n' >"$host_dir/scanner.ini"  # the host's own file
    check "a fresh Wine prefix is created" "$repo/scripts/wine-prefix.sh"
    check "a default printer is added" wine "$wine_printers" add "MSI Test Printer" "|cat >/dev/null" --default
    finish
    ;;

install)
    install_package "$msi" "$(host_arg)"
    status=$?
    check "msiexec /i /qn HOSTDIR=... ends with exit code 0" [ "$status" -eq 0 ]
    for file in jobport.dll KESTRO.EXE Tessary.exe Tessary.cfg KESTRO.cfg; do
        check "the program folder holds $file" [ -f "$program_dir/$file" ]
    done
    check "the host folder holds jobport.dll" same_file "$host_dir/jobport.dll" "$program_dir/jobport.dll"
    check "the host folder holds KESTRO.cfg" same_file "$host_dir/KESTRO.cfg" "$program_dir/KESTRO.cfg"
    for folder in "${secured_folders[@]}"; do
        check "the package gave the data folder ${folder:-Quillmate} its permissions" \
            others_get_nothing "$data_root/$folder"
    done
    values=$(registry_key "$library_key")
    check "\"Directory Path\" names the program folder" has_line "$values" "Directory Path=$program_dir_win"
    check "\"Setting Path\" names the settings folder" has_line "$values" "Setting Path=$data_root_win\\Settings"
    entry=$(registry_key "$msi_entry")
    check "the installed programs list Quillmate $version" has_line "$entry" "DisplayVersion=$version"
    check "with its quiet uninstall" has_line "$entry" "QuietUninstallString=MsiExec.exe /X$product_code /qn"
    check "the Start menu has a Print Settings shortcut" [ -f "$(installed_shortcut)" ]

    installation_listing "$host_dir" "$(installed_shortcut)" >"$run/msi-listing.txt"
    if [ -f "$nsis_run/nsis-listing.txt" ]; then
        check "the package installed exactly what the NSIS installer installs" \
            diff -u "$nsis_run/nsis-listing.txt" "$run/msi-listing.txt"
    else
        check "the NSIS installer's listing is there (run installer_install first)" false
    fi
    finish
    ;;

refusals)
    before=$(fingerprint "$host_dir")
    run_dialog_driver open "$program_dir_win\\Tessary.exe" 11014 "$(windows_path "$run/msi-window.txt")"
    check "Tessary.exe runs and holds its file" [ $? -eq 0 ]
    install_package "$msi" "$(host_arg)" REINSTALL=ALL REINSTALLMODE=amus
    check "a repair stops (1603) while Tessary.exe runs" msi_exit_is 1603 $?
    check "... saying so" log_says "Tessary.exe is in use by Print Settings (Tessary.exe)"
    msiexec_quietly /x "$(windows_path "$msi")"
    check "the uninstall stops (1603) while Tessary.exe runs" msi_exit_is 1603 $?
    run_dialog_driver drive "$(windows_path "$run/msi-window.txt")" click 2 wait-end
    check "Tessary.exe is closed" [ $? -eq 0 ]
    check "... and nothing has changed" [ "$(fingerprint "$host_dir")" = "$before" ]

    # From here on the package is not installed: each refusal installs nothing.
    msiexec_quietly /x "$(windows_path "$msi")"
    check "the package is uninstalled" [ $? -eq 0 ]
    mkdir -p "$run/msi-bad"
    make_station_settings "$run/msi-bad" 9
    install_package "$msi" "SETTINGSFILE=$(windows_path "$run/msi-bad/KESTROst.ini")"
    check "an unsound SETTINGSFILE stops the installation (1603)" msi_exit_is 1603 $?
    check "... installing nothing" nothing_installed
    check "... and the log says why" log_says '"PrintPosSetting" in section "Print Setting" is 9, outside 0 to 8'
    install_package "$msi" "SETTINGSFILE=$(windows_path "$run/msi-bad/none.ini")"
    check "a SETTINGSFILE that does not exist stops it (1603)" msi_exit_is 1603 $?
    install_package "$msi" "HOSTDIR=Scan Host"
    check "a HOSTDIR that is no full path stops it (1603)" msi_exit_is 1603 $?
    check "... installing nothing" nothing_installed
    rm -rf "$drive_c/ProgramData/TRVX" "$run/msi-elsewhere"
    mkdir -p "$drive_c/ProgramData/TRVX" "$run/msi-elsewhere"
    ln -s "$run/msi-elsewhere" "$data_root"
    install_package "$msi"
    check "a link in place of the data folder stops it (1603)" msi_exit_is 1603 $?
    check "... installing nothing" nothing_installed
    check "... writing nothing where the link leads" [ -z "$(ls -A "$run/msi-elsewhere")" ]
    check "... and the log names the link" log_says "$data_root_win is a link to another place"
    rm "$data_root"

    # The NSIS installer over the package, and an older package over this one.
    install_package "$msi"
    check "the package installs without a host folder" [ $? -eq 0 ]
    before=$(fingerprint "$host_dir")
    timeout 120 wine "$nsis_installer" /S >/dev/null 2>&1
    check "the NSIS installer refuses an installation of the package (exit code 7)" [ $? -eq 7 ]
    install_package "$older_msi"
    check "an older package is refused (1603)" msi_exit_is 1603 $?
    check "... saying so" log_says "A newer version of Quillmate is installed on this computer."
    check "... and neither has changed anything" [ "$(fingerprint "$host_dir")" = "$before" ]
    msiexec_quietly /x "$(windows_path "$msi")"
    finish
    ;;

upgrade)
    make_station_settings "$run/msi-station" 5 2
    install_package "$older_msi" "$(host_arg)" "SETTINGSFILE=$(windows_path "$run/msi-station/KESTROst.ini")"
    check "the older package installs with HOSTDIR and SETTINGSFILE" [ $? -eq 0 ]
    for file in KESTROst.ini devmode2.bin devname2.bin; do
        check "... and the station's $file" same_file "$settings_dir/$file" "$run/msi-station/$file"
    done
    printf '; changed by the user\r\n' >>"$host_dir/KESTRO.cfg"
    cp "$host_dir/KESTRO.cfg" "$run/msi-KESTRO.cfg.before"
    printf 'PageFramePrintSetting=0\r\n' >>"$settings_dir/KESTROst.ini"
    cp "$settings_dir/KESTROst.ini" "$run/msi-KESTROst.ini.before"
    for folder in "${secured_folders[@]}"; do chmod 755 "$data_root/$folder"; done

    install_package "$msi" "SETTINGSFILE=$(windows_path "$run/msi-station/KESTROst.ini")"
    check "this package upgrades it (exit code 0)" [ $? -eq 0 ]
    check "the list of installed programs holds this version only" \
        [ "$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
             tr -d '\r' | grep -c 'DisplayName    REG_SZ    Quillmate$')" -eq 1 ]
    check "the host folder is remembered" same_file "$host_dir/jobport.dll" "$program_dir/jobport.dll"
    check "the user's KESTRO.cfg stays" same_file "$host_dir/KESTRO.cfg" "$run/msi-KESTRO.cfg.before"
    check "the station's own settings stay" same_file "$settings_dir/KESTROst.ini" "$run/msi-KESTROst.ini.before"
    for folder in "${secured_folders[@]}"; do
        check "the upgrade gave ${folder:-Quillmate} its permissions again" others_get_nothing "$data_root/$folder"
    done
    install_package "$msi" "SETTINGSFILE=$(windows_path "$run/msi-station/KESTROst.ini")" REPLACESETTINGS=1 \
        REINSTALL=ALL REINSTALLMODE=amus
    check "REPLACESETTINGS=1 replaces them" same_file "$settings_dir/KESTROst.ini" "$run/msi-station/KESTROst.ini"
    finish
    ;;

uninstall)
    quiet=$(registry_key "$msi_entry" | sed -n 's/^QuietUninstallString=//p')
    # shellcheck disable=SC2086  # the registered command line, word by word
    timeout 120 wine $quiet >/dev/null 2>&1
    check "the registered quiet uninstall ($quiet) ends with exit code 0" [ $? -eq 0 ]
    check "the program folder is gone" no_path "$drive_c/Program Files/TRVX"
    check "the host folder's copies are gone" no_path "$host_dir/jobport.dll"
    check "... but not the host's own files" [ -f "$host_dir/scanner.ini" ]
    check "the shortcut is gone" no_path "$(installed_shortcut)"
    check "the registry values are gone" no_registry_key 'HKLM\SOFTWARE\TRVX'
    check "the entry of the installed programs is gone" no_registry_key "$msi_entry"
    check "the logs are gone" no_path "$data_root/Logs"
    check "the print settings stay" [ -f "$settings_dir/KESTROst.ini" ]

    install_package "$msi"
    msiexec_quietly /x "$(windows_path "$msi")" REMOVESETTINGS=1
    check "an uninstall with REMOVESETTINGS=1 removes every data folder" no_path "$drive_c/ProgramData/TRVX"

    timeout 120 wine "$nsis_installer" /S >/dev/null 2>&1
    check "the NSIS installer installs" [ $? -eq 0 ]
    before=$(fingerprint "$host_dir")
    install_package "$msi"
    check "the package refuses an installation of the NSIS installer (1603)" msi_exit_is 1603 $?
    check "... saying to uninstall it first" log_says "Quillmate is installed on this computer by its setup program"
    check "... having changed nothing" [ "$(fingerprint "$host_dir")" = "$before" ]
    timeout 120 wine "$program_dir_win\\Uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1
    timeout 120 wineserver -w
    check "the NSIS installation is removed" nothing_installed
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
