#!/usr/bin/env bash
# The include check on a scratch tree (not a git checkout, so it lists the
# files itself): every include that reaches up a layer or out through "../"
# is named with its file and line, and every allowed one passes.
set -u
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts"
cp scripts/check-includes.sh "$work/scripts/"

# file (its name gets the case number in front) | the include line | broken or kept
cases='
settings_program/framework/a.h           | #include "app/x.h"                | broken
settings_program/framework/a_win32.cpp   | #include "entry/x_win32.h"        | broken
settings_program/app/a_win32.cpp         | #include "dialog/x_win32.h"       | broken
settings_program/app/a_win32.cpp         | #include "framework/x_win32.h"    | kept
settings_program/dialog/a_win32.cpp      | #include "entry/x.h"              | broken
settings_program/dialog/a_win32.cpp      | #include "app/x_win32.h"          | kept
settings_program/dialog/a.cpp            | #include "dialog/x_win32.h"       | broken
settings_program/entry/a_win32.cpp       | #include "dialog/x_win32.h"       | kept
settings_program/pictures/a.cpp          | #include "dialog/x.h"             | broken
settings_program/resources/a.rc          | #include "../framework/x.h"       | broken
settings_program/resources/a.rc          | #include "framework/x.h"          | kept
job_library/jobs/a.cpp                   | #include "launcher_window_win32.h" | broken
job_library/jobs/a.h                     | #include <windows.h>              | broken
job_library/jobs/a.h                     |   #  include  "../setup/x.h"     | broken
job_library/jobs/a.h                     | #include "setup/x.h"             | kept
job_library/setup/a_win32.cpp            | #include "jobs/x_win32.h"        | kept
job_library/setup/a_win32.cpp            | #include "library_lock_win32.h"  | broken
launcher/a.cpp                           | #include "jobport.h"              | broken
launcher/a.cpp                           | #include "setup/x.h"             | broken
launcher/a.cpp                           | #include "jobport_readers/x.h"   | kept
shared_formats/a.h                       | #include "jobport_readers/x.h"   | broken
shared_formats/a.cpp                     | #include <windows.h>              | broken
jobport_readers/a.cpp                    | #include "jobs/x.h"              | broken
jobport_readers/a_win32.cpp              | #include "win32_shared/x_win32.h" | kept
job_library/exports.cpp                  | #include "library_lock_win32.h"  | kept
tests/a.cpp                              | #include "jobport.h"              | kept
tools/a.cpp                              | #include "../b.h"                | broken
'

n=0
while IFS='|' read -r file line expected; do
    file=$(echo "$file" | xargs)
    [ -n "$file" ] || continue
    n=$((n + 1))
    path="$work/$(dirname "$file")/c${n}_$(basename "$file")"
    mkdir -p "$(dirname "$path")"
    printf '%s\n' "$(echo "$line" | sed -E 's/^ //; s/ +$//')" >"$path"
done <<<"$cases"

output=$(bash "$work/scripts/check-includes.sh")
status=$?

passed=0 failed=0
check() {  # what, condition result (0 = holds)
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
n=0
while IFS='|' read -r file line expected; do
    file=$(echo "$file" | xargs)
    [ -n "$file" ] || continue
    n=$((n + 1))
    expected=$(echo "$expected" | xargs)
    named="$(dirname "$file")/c${n}_$(basename "$file"):1: includes"
    grep -qF "$named" <<<"$output"
    found=$?
    if [ "$expected" = broken ]; then
        check "$file ($line) is named" "$found"
    else
        check "$file ($line) passes" "$((!found))"
    fi
done <<<"$cases"
check "the check fails" "$((status != 1))"

# Without the broken ones it passes.
while IFS= read -r -d '' path; do
    relative=${path#"$work/"}
    grep -qF "$relative:1:" <<<"$output" && rm "$path"
done < <(find "$work" -type f ! -path '*/scripts/*' -print0)
bash "$work/scripts/check-includes.sh" >/dev/null
check "the allowed includes pass" "$?"

[ "$failed" -eq 0 ] || { echo "$output"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
