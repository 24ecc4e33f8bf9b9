#!/usr/bin/env bash
# KESTRO.EXE and Tessary.exe limit where DLLs are loaded from before they load
# any: each runs under Wine's relay trace of those calls and of LoadLibrary,
# is ended by its process id once the trace shows the limit set (bounded
# wait), and must show SetDllDirectoryA("") and SetDefaultDllDirectories(0xa00:
# system and program folder) succeed with no DLL loaded by a bare name before.
#   program_dll_search_test.sh KESTRO_EXE TESSARY_EXE
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 KESTRO_EXE TESSARY_EXE" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/../../.." && pwd)
source "$repo/scripts/wine-env.sh"

debug_key='HKCU\Software\Wine\Debug'
wine reg add "$debug_key" /v RelayInclude /t REG_SZ /f /d \
    "kernel32.SetDllDirectoryA;kernel32.SetDefaultDllDirectories;kernel32.LoadLibraryA;kernel32.LoadLibraryW;kernel32.LoadLibraryExA;kernel32.LoadLibraryExW" \
    >/dev/null 2>&1 || { echo "cannot set the relay filter"; exit 1; }
trace=$(mktemp)
trap 'wine reg delete "$debug_key" /v RelayInclude /f >/dev/null 2>&1; rm -f "$trace"' EXIT

failed=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}

for program in "$@"; do
    name=$(basename "$program")
    # Its own Unix process: $! is the program, ended below by that id.
    WINEDEBUG=+relay wine "$program" 2>"$trace" >/dev/null &
    pid=$!
    for _ in $(seq 600); do
        grep -q 'Ret  KERNEL32.SetDefaultDllDirectories' "$trace" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    calls=$(grep -E '^[0-9a-f]+:(Call|Ret) +KERNEL32\.' "$trace")
    check "$name drops the current folder" \
        grep -q 'Ret  KERNEL32.SetDllDirectoryA() retval=00000001' <<<"$calls"
    check "$name limits the search to the system and program folders" \
        grep -q 'Call KERNEL32.SetDefaultDllDirectories(00000a00)' <<<"$calls"
    check "$name has the limit granted" \
        grep -q 'Ret  KERNEL32.SetDefaultDllDirectories() retval=00000001' <<<"$calls"
    # Before the limit only the system's own start-up loads, by full path.
    before=$(sed -n '1,/Call KERNEL32.SetDllDirectoryA/p' <<<"$calls" |
             grep -E 'Call KERNEL32\.LoadLibrary' | grep -vE '\((\w+ )?L?"[A-Za-z]:\\\\')
    check "$name loads no DLL by a bare name before that" test -z "$before"
    [ -n "$before" ] && echo "$before"
done
[ "$failed" -eq 0 ]
