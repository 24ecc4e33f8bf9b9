# apt-get with patience for a package mirror that is being synchronised.
# Sourced by install-deps.sh and by its test, which puts a stand-in for
# apt-get in APT_GET.
#
#   apt_update_retrying      retries "apt-get update" APT_UPDATE_TRIES times
#                            (default 3), APT_RETRY_PAUSE seconds apart
#                            (default 15). Returns 0 when every index came,
#                            1 when only some index files failed (the mirror
#                            is mid-sync: installing can still go on),
#                            2 when the update failed for another reason.
#   apt_install_packages P.. installs; after an update that left an index
#                            out (APT_INDEX_MISSING=1) it pins the security
#                            suite below the installed versions for that one
#                            command, so the amd64 and i386 sides resolve to
#                            the same versions of the main suite.

APT_GET=${APT_GET:-apt-get}
APT_INDEX_MISSING=0

apt_update_retrying() {
    local tries=${APT_UPDATE_TRIES:-3} pause=${APT_RETRY_PAUSE:-15}
    local out try
    for ((try = 1; try <= tries; try++)); do
        if out=$("$APT_GET" update -qq 2>&1) && ! grep -q '^E: ' <<<"$out"; then
            return 0
        fi
        if ((try < tries)); then
            echo "apt-get update failed (try $try of $tries), trying again in ${pause}s:" >&2
            grep -E '^(E|W): ' <<<"$out" | head -n 3 >&2
            sleep "$pause"
        fi
    done
    if grep -q 'Some index files failed to download' <<<"$out"; then
        grep -E '^E: Failed to fetch' <<<"$out" | head -n 3 >&2
        return 1
    fi
    echo "$out" >&2
    return 2
}

# The suite that holds security updates for this release, e.g.
# "bookworm-security".
security_suite() {
    local codename=${APT_CODENAME:-}
    if [ -z "$codename" ] && [ -r /etc/os-release ]; then
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    fi
    echo "${codename:-bookworm}-security"
}

apt_install_packages() {
    local options=(-y -qq --no-install-recommends)
    local prefs out
    if [ "$APT_INDEX_MISSING" = 1 ]; then
        prefs=$(mktemp)
        printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n' "$(security_suite)" >"$prefs"
        echo "Note: a package index could not be downloaded (mirror sync in progress?);" \
             "installing with $(security_suite) pinned below the installed versions so both architectures match." >&2
        options+=(-o "Dir::Etc::Preferences=$prefs")
    fi
    local status=0
    out=$("$APT_GET" install "${options[@]}" "$@" 2>&1) || status=$?
    [ -n "${prefs:-}" ] && rm -f "$prefs"
    if [ $status -ne 0 ]; then
        echo "$out" | grep -E '^(E|W): ' >&2
        local missing
        missing=$(grep -oE "Unable to locate package [^ ]+|Package '?[^ ']+'? has no installation candidate" <<<"$out")
        if [ -n "$missing" ]; then
            echo "Cannot install: ${missing//$'\n'/; }. Check the package name and the machine's package sources." >&2
        else
            echo "Cannot install the packages: $*" >&2
        fi
        return 1
    fi
}
