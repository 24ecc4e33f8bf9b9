#!/usr/bin/env bash
# Keeps the layers apart: fails, naming each file and line, when an
# #include reaches up a layer or climbs out of the include folders through
# "../". `make test` runs it (the native CTest test include_rules); it can
# be run by hand from anywhere in the checkout.
#
# The layers, lowest first (each may include only those before it):
#   shared by all:    ansi_paths <- shared_formats <- jobport_readers
#   settings program: framework <- app <- dialog <- entry
#   library:          core (jobs/ and setup/ without _win32) <- shell (*_win32) <- exports
#   launcher:         its own files, the shared ones and jobport_readers; nothing else of the library
set -u
cd "$(dirname "$0")/.."

# One rule a line: the files it applies to, those of them it spares, what
# they must not include (each an extended regular expression, "-" for none;
# files by their path from the repository root, includes by the name
# between the quotes or angle brackets), and the rule in words.
#
# files                                    spared            must not include                  rule
RULES='
^settings_program/framework/               -                 ^(app|dialog|entry)/              the framework includes no layer above it (framework <- app <- dialog <- entry)
^settings_program/app/                     -                 ^(dialog|entry)/                  the application layer includes neither the dialog nor the entry
^settings_program/dialog/                  -                 ^entry/                           the dialog does not include the entry
^settings_program/(pictures|resources)/    -                 ^(app|dialog|entry)/              pictures and resources serve every layer and include none of them
^settings_program/(framework|app|dialog)/  _win32\.(h|cpp)$  (_win32\.h|^windows\.h)$          a platform-free file includes no Win32 header
^job_library/(jobs|setup)/                 _win32\.(h|cpp)$  (_win32\.h|^windows\.h)$          the library core includes no Win32 header (core <- shell <- exports)
^(shared_formats|jobport_readers|ansi_paths)/  _win32\.(h|cpp)$  (_win32\.h|^windows\.h)$      a platform-free shared file includes no Win32 header
^(shared_formats|ansi_paths)/              -                 ^(jobs|setup|app|dialog|framework|entry|jobport_readers|launcher|settings_program|job_library)/  the shared room includes none of the programs
^jobport_readers/                          -                 ^(jobs|setup|launcher|settings_program|job_library)/  the shared readers include nothing else of the library
^launcher/                                 -                 ^(jobs|setup|app|dialog|framework|entry|job_library|settings_program)/  the launcher takes of the library only jobport_readers and the shared room
^(job_library/[a-z_]+|launcher|settings_program|shared_formats|win32_shared|ansi_paths)/  -  ^(jobport|library_lock_win32)\.h$  nothing below the library exports includes their headers
.                                          -                 (^|/)\.\.(/|$)                    an include names its folder from an include directory, never through ../
'

# The checkout's source files: those git tracks and the new ones it does
# not ignore; outside a git checkout every file but the build folders.
list_sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files --cached --others --exclude-standard
    else
        find . \( -path './build*' -o -path ./.git \) -prune -o -type f -print | sed 's|^\./||'
    fi | grep -E '\.(h|hpp|c|cpp|rc)$' | while IFS= read -r file; do
        [ -f "$file" ] && printf '%s\n' "$file"
    done
}

# "path<TAB>line<TAB>included name" for every #include of every source.
list_includes() {
    list_sources | tr '\n' '\0' |
        xargs -0 grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' -- |
        sed -E 's/^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^">]+)[">].*/\1\t\2\t\3/'
}

list_includes | awk -F'\t' -v rules="$RULES" '
BEGIN {
    count = 0
    n = split(rules, lines, "\n")
    for (i = 1; i <= n; i++) {
        if (split(lines[i], field, " ") < 4)
            continue
        count++
        files[count] = field[1]; spared[count] = field[2]; banned[count] = field[3]
        why = lines[i]
        for (f = 1; f <= 3; f++)
            sub(/^[ ]*[^ ]+/, "", why)
        sub(/^[ ]+/, "", why)
        rule[count] = why
    }
}
{
    for (r = 1; r <= count; r++) {
        if ($1 !~ files[r] || (spared[r] != "-" && $1 ~ spared[r]) || $3 !~ banned[r])
            continue
        printf "%s:%s: includes \"%s\": %s\n", $1, $2, $3, rule[r]
        broken++
    }
}
END {
    if (NR == 0) {
        print "no #include found: the source list could not be read"
        exit 1
    }
    if (broken) {
        printf "%d include(s) break the layer rules (scripts/check-includes.sh)\n", broken
        exit 1
    }
    printf "include rules kept in %d includes\n", NR
}'
