# Sourced by the tests of both kinds of Setup (installer_test.sh for the
# NSIS installer, msi_test.sh for the MSI package): where Setup puts things,
# the checks, and what the tests give Setup. Expects $stage and WINEPREFIX.

# Where Setup puts things, seen from Linux and from Windows.
drive_c=$WINEPREFIX/drive_c
program_dir="$drive_c/Program Files/TRVX/Quillmate"
program_dir_win='C:\Program Files\TRVX\Quillmate'
data_root="$drive_c/ProgramData/TRVX/Quillmate"
data_root_win='C:\ProgramData\TRVX\Quillmate'
settings_dir=$data_root/Settings
# The folders Setup gives permissions of their own, below $data_root.
secured_folders=("" System System/Data Settings Logs)
shortcut_dir="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmate"
library_key='HKLM\SOFTWARE\TRVX\Corvane-Suite\Quillmate'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmate'

failures=0
check() {  # check DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAILED: $description"
        failures=$((failures + 1))
    fi
}
finish() {
    [ "$failures" -eq 0 ] || { echo "$failures check(s) failed in stage $stage"; exit 1; }
    exit 0
}
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
same_file() { cmp -s "$1" "$2"; }
no_path() { [ ! -e "$1" ]; }
# All values of a registry key as "NAME=DATA" lines; fails when it is missing.
registry_key() {
    wine reg query "$1" 2>/dev/null | tr -d '\r' |
        sed -n 's/^    \(.*\)    REG_[A-Z_]*    \{0,1\}\(.*\)$/\1=\2/p'
    return "${PIPESTATUS[0]}"
}
no_registry_key() { ! wine reg query "$1" >/dev/null 2>&1; }
# Wine's image of a DACL Setup set: others get nothing.
others_get_nothing() { [ -d "$1" ] && [ "$(($(stat -c '0%a' "$1") & 7))" -eq 0 ]; }
mode_and_owner() { stat -c '%a %U' "$1"; }
# Nothing of the product was installed.
nothing_installed() {
    no_path "$drive_c/Program Files/TRVX" && no_registry_key "$library_key" &&
        no_registry_key "$uninstall_key" && no_path "$shortcut_dir"
}
has_line() { grep -qxF -- "$2" <<<"$1"; }
# FileVersion of a binary's version resource, "1, 0, 3, 0" read as "1.0.3.0".
file_version() {
    strings -el -n 3 "$1" | grep -A1 -x FileVersion | sed -n 2p | tr -d ' ' | tr , .
}
# KEY=VALUE lines of an INI file, without carriage returns.
ini_lines() { tr -d '\r' <"$1" 2>/dev/null; }
# A fingerprint of every file below the folders Setup writes to (the
# Unix modes of the data folders too), to show that nothing changed.
fingerprint() {  # fingerprint HOST_DIR
    find "$drive_c/Program Files/TRVX" "$drive_c/ProgramData/TRVX" "$1" -printf '%p %m\n' \
        -type f -exec sha256sum {} + 2>/dev/null | sort
    wine reg query 'HKLM\SOFTWARE\TRVX' /s 2>/dev/null | tr -d '\r'
}

# What an installation put where, for comparing the two kinds of Setup:
# each file of the program and host folders with its checksum, each data
# folder with what others may do in it (Wine's image of its DACL), the
# library's registry values (the host folder written as HOST) and the
# shortcut's target. The NSIS installer's own uninstaller is left out.
installation_listing() {  # installation_listing HOST_DIR SHORTCUT_FILE
    local host=$1 shortcut=$2 folder
    (cd "$program_dir" && find . -type f ! -name Uninstall.exe -exec sha256sum {} + |
        sed 's|  \./| program/|' | sort)
    (cd "$host" && find . -type f ! -name scanner.ini -exec sha256sum {} + |
        sed 's|  \./| host/|' | sort)
    for folder in "${secured_folders[@]}"; do
        echo "data/$folder others may: $(($(stat -c '0%a' "$data_root/$folder") & 7))"
    done
    registry_key "$library_key" | sed "s|$(windows_path "$host")|HOST|;s|^|registry: |" | sort
    if grep -qaF "$program_dir_win\\Tessary.exe" "$shortcut" 2>/dev/null; then
        echo "shortcut: Print Settings starts $program_dir_win\\Tessary.exe"
    fi
}

# A settings file as Print Settings writes it, naming printer slot SLOT
# (none: the default printer), with the device-mode file beside it.
# make_station_settings FOLDER POSITION [SLOT]
make_station_settings() {
    local folder=$1 position=$2 slot=${3:-}
    mkdir -p "$folder"
    {
        printf '[Velora Config]\r\nPrintAfterReceivedAllData=0\r\n[Print Setting]\r\n'
        printf 'SortSetting=0\r\nPrintPosSetting=%s\r\nPrintSizeSetting=1\r\n' "$position"
        printf 'PageFramePrintSetting=1\r\nAutoRotatePrintSetting=1\r\n'
        if [ -n "$slot" ]; then
            printf '[Printer Infomation]\r\nSelectPrinterName=Office Laser\r\n'
            printf 'SelectPrinterNo=%s\r\ndevmode%s=Office Laser\r\n' "$slot" "$slot"
        fi
    } >"$folder/KESTROst.ini"
    if [ -n "$slot" ]; then
        # A device mode of 156 bytes: the printer's name at byte 0, dmSize
        # 156 at byte 36, no private part.
        head -c 156 /dev/zero >"$folder/devmode$slot.bin"
        printf 'Office Laser' | dd of="$folder/devmode$slot.bin" bs=1 conv=notrunc 2>/dev/null
        printf '\234\000\000\000' | dd of="$folder/devmode$slot.bin" bs=1 seek=36 conv=notrunc 2>/dev/null
        printf 'names of slot %s' "$slot" >"$folder/devname$slot.bin"
    fi
}
