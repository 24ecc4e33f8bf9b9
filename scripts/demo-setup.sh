# Sourced by demo.sh, benchmark.sh, soak.sh and readme-screenshots.sh: builds
# the Windows programs, gives them a Wine prefix of their own and sets up an
# installation of the print system in a folder of its own. Expects $repo, the
# repository's root, and sets $build (BUILD_DIR made absolute, default build)
# and $win32.

export BUILD_DIR="${BUILD_DIR:-build}"
case $BUILD_DIR in
    /*) build=$BUILD_DIR ;;
    *) build=$repo/$BUILD_DIR ;;
esac
win32=$build/win32

# configure_windows_build WIN32_DIR LOG: configures the cross build in
# WIN32_DIR as the tests do; on failure shows the end of the log. A build
# folder that came with a copy of another checkout names that checkout in
# its CMake cache, which CMake refuses to reuse: such a folder is emptied
# and configured afresh.
configure_windows_build() {
    mkdir -p "$(dirname "$2")"
    local cache=$1/CMakeCache.txt source_dir cache_dir
    if [ -f "$cache" ]; then
        source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
        cache_dir=$(sed -n 's/^CMAKE_CACHEFILE_DIR:INTERNAL=//p' "$cache")
        if [ "$(realpath -m "$source_dir")" != "$(realpath "$repo")" ] ||
           [ "$(realpath -m "$cache_dir")" != "$(realpath -m "$1")" ]; then
            echo "  $1 was configured for the sources in $source_dir:" \
                 "emptied and configured afresh for $repo"
            rm -rf "$1"
        fi
    fi
    cmake -S "$repo" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$2" 2>&1 || {
        tail -n 40 "$2"
        echo "configuring the build failed (log: $2)"
        return 1
    }
}

# build_windows_targets WIN32_DIR LOG TARGET...: builds the targets of the
# configured cross build; on failure shows the end of the log.
build_windows_targets() {
    local win32=$1 log=$2
    shift 2
    cmake --build "$win32" -j "$(nproc)" --target "$@" >>"$log" 2>&1 || {
        tail -n 40 "$log"
        echo "the build failed (log: $log)"
        return 1
    }
}

# rerun_on_display FLAG: runs the calling script again on a virtual X
# display with FLAG=1 set, which tells that run it is there. Calls the
# script's fail when xvfb-run cannot start.
rerun_on_display() {
    export "$1=1"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$repo/scripts/${0##*/}"
    fail "cannot start a virtual X display (xvfb-run)"
}

# build_then_rerun_on_display FLAG NAME TARGET...: unless FLAG is set,
# installs the build tools, builds TARGETs of the Windows build (log
# $build/NAME-build.log) and runs the calling script again on a virtual X
# display; returns only when FLAG is set.
build_then_rerun_on_display() {
    local flag=$1 log=$build/$2-build.log
    shift 2
    [ -n "${!flag:-}" ] && return 0
    scripts/install-deps.sh || fail "the build tools could not be installed"
    echo "== Building the Windows programs in $BUILD_DIR/win32"
    configure_windows_build "$win32" "$log" &&
        build_windows_targets "$win32" "$log" "$@" || fail "the build failed"
    rerun_on_display "$flag"
}

# use_wine_prefix PREFIX: makes PREFIX (created when missing) the prefix of
# every later wine command and ends its wineserver when the script exits.
# Must run under an X server: a wineserver of this prefix started without
# one would keep a null display driver, so any such server is ended first.
use_wine_prefix() {
    export WINEPREFIX=$1
    source "$repo/scripts/wine-env.sh"
    wineserver -k 2>/dev/null
    trap 'wineserver -k 2>/dev/null' EXIT
    "$repo/scripts/wine-prefix.sh"
}

# The Windows form of an absolute Unix path (Wine's drive Z: is the Unix root).
windows_path() {
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

# Writes text given as lines to a file with Windows line ends.
write_windows_text() {
    local file=$1
    shift
    printf '%s\r\n' "$@" >"$file"
}

# prepare_installation ROOT PROGRAMS LAUNCHER
#   ROOT      the installation's folder; emptied first
#   PROGRAMS  folder of the built Windows programs (jobport.dll, wine_printers.exe)
#   LAUNCHER  the program installed as KESTRO.EXE
# Sets the folders below, the registry values that name them, "KESTRO.cfg",
# "KESTROst.ini" and a default printer that writes PostScript to a file, in
# the prefix of use_wine_prefix. Returns non-zero with a message on stderr
# when a step fails.
prepare_installation() {
    local root=$1 programs=$2 launcher=$3
    INSTALL_DIR=$root/install      # "Directory Path": KESTRO.EXE
    SETTINGS_DIR=$root/settings    # "Setting Path": the print settings file
    SYSTEM_DIR=$root/system        # "System Directory": holds the data folder "Data"
    LOG_DIR=$root/logs             # "Debug Log Path": KESTROd.LOG, KESTROe.log
    HOST_DIR=$root/host            # the host's folder: its program, jobport.dll, KESTRO.cfg
    DATA_DIR=$SYSTEM_DIR/Data
    SETTINGS_FILE=$SETTINGS_DIR/KESTROst.ini
    PRINTER_NAME="Demo Printer"
    # Wine pipes each print job, as PostScript, into the command of a port
    # that starts with "|"; appending keeps every job (a port that is a file
    # path would keep the last one only).
    PRINTED_FILE=$root/printed.ps
    PRINTER_PORT="|cat >> $(printf '%q' "$PRINTED_FILE")"

    rm -rf "$root"
    mkdir -p "$INSTALL_DIR" "$SETTINGS_DIR" "$SYSTEM_DIR" "$LOG_DIR" "$HOST_DIR" || return 1
    cp "$launcher" "$INSTALL_DIR/KESTRO.EXE" || return 1
    cp "$programs/jobport.dll" "$HOST_DIR/" || return 1

    # A launcher that does not come up within 20 s fails the job instead of
    # holding the host for ever.
    write_windows_text "$HOST_DIR/KESTRO.cfg" \
        "[Velora Config]" \
        "ChildTimeOut=20000" \
        "JobLimit=99" \
        "CopiesLimit=999" \
        "PagesLimit=999" \
        "LogSizeLimit=1024" \
        "b2ndJobPrintbyMethod=1" \
        "RemainScanedDataOnPC=0" \
        "DoNotPrintOutIfPortIsFILE=1" \
        "DoNotPrintOutIfPrnIsNOTAVAILABLE=1" \
        "[Velora Message for Dialog]" \
        "CannotPrintTitle=Scan printing" \
        "CannotPrintMsg=The scanned pages cannot be printed." \
        "CannotPrintMsg_1=The default printer prints into a file: choose another printer." \
        "CannotPrintMsg_2=The default printer is not available." \
        "[Registry for Velora]" \
        "SubRoot=SOFTWARE" \
        "Manufacturer=TRVX" \
        "ProductFamily=Corvane-Suite" \
        "ProductName=Quillmate" || return 1

    # Each page at once, one page a sheet, centred, full size, rotated as needed.
    write_windows_text "$SETTINGS_FILE" \
        "[Velora Config]" \
        "PrintAfterReceivedAllData=0" \
        "[Print Setting]" \
        "PrintPosSetting=4" \
        "SortSetting=0" \
        "PrintSizeSetting=1" \
        "NupPrintSetting=0" \
        "PageFramePrintSetting=0" \
        "AutoRotatePrintSetting=1" \
        "AutoPaperChange=0" || return 1

    local key='HKLM\SOFTWARE\TRVX\Corvane-Suite\Quillmate' name folder
    for name in "Debug Log Path" "Directory Path" "Setting Path" "System Directory"; do
        case $name in
            "Debug Log Path") folder=$LOG_DIR ;;
            "Directory Path") folder=$INSTALL_DIR ;;
            "Setting Path") folder=$SETTINGS_DIR ;;
            "System Directory") folder=$SYSTEM_DIR ;;
        esac
        wine reg add "$key" /v "$name" /t REG_SZ /d "$(windows_path "$folder")" /f >/dev/null 2>&1 || {
            echo "cannot set the registry value \"$name\"" >&2
            return 1
        }
    done

    wine "$programs/wine_printers.exe" add "$PRINTER_NAME" "$PRINTER_PORT" --default || {
        echo "cannot add the printer \"$PRINTER_NAME\"" >&2
        return 1
    }
}

# Removes the hand-off files an earlier run left in the prefix's temporary folder.
remove_old_handoff_files() {
    find "$WINEPREFIX/drive_c/users" -name 'KST_*.$$$' -type f -delete 2>/dev/null
    return 0
}
