#!/usr/bin/env bash
# The install script's answers to a package mirror that fails, with a
# stand-in for apt-get: which failures are retried, which go on with the
# security suite pinned, and which stop with a clear message.
set -u
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in answers each "update" with the next word of FAKE_UPDATES
# (ok, index: one index failed to download, net: no connection at all) and
# each "install" with FAKE_INSTALL (ok, missing); it records every call.
cat >"$work/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_DIR/calls"
if [ "$1" = update ]; then
    n=$(cat "$FAKE_DIR/count" 2>/dev/null || echo 0); echo $((n + 1)) >"$FAKE_DIR/count"
    read -r -a answers <<<"$FAKE_UPDATES"
    case ${answers[$n]:-${answers[-1]}} in
        ok) exit 0 ;;
        index) echo "E: Failed to fetch http://mirror/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
               echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
               exit 100 ;;
        net) echo "E: Could not resolve host: mirror"; exit 100 ;;
    esac
fi
for argument; do
    case $argument in Dir::Etc::Preferences=*) cat "${argument#*=}" >>"$FAKE_DIR/calls" ;; esac
done
[ "$FAKE_INSTALL" = ok ] && exit 0
echo "E: Unable to locate package wine99"; exit 100
STANDIN
chmod +x "$work/apt-get"

passed=0 failed=0
check() {  # name, condition result (0 = holds)
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

# updates          | install | update | install | tries | pinned | what it says
cases=(
  "ok                | ok      | 0      | 0       | 1     | no     | -"
  "index ok          | ok      | 0      | 0       | 2     | no     | -"
  "index index index | ok      | 1      | 0       | 3     | yes    | pinned below the installed versions"
  "net net net       | ok      | 2      | -       | 3     | no     | Could not resolve"
  "ok                | missing | 0      | 1       | 1     | no     | Cannot install: Unable to locate package wine99"
)
for row in "${cases[@]}"; do
    IFS='|' read -r updates install want_update want_install want_tries want_pin message <<<"$row"
    trim() { sed -E 's/^ +| +$//g' <<<"$1"; }
    updates=$(trim "$updates"); install=$(trim "$install"); want_update=$(trim "$want_update")
    want_install=$(trim "$want_install"); want_tries=$(trim "$want_tries")
    want_pin=$(trim "$want_pin"); message=$(trim "$message")
    rm -f "$work/calls" "$work/count"
    out=$(FAKE_DIR=$work FAKE_UPDATES=$updates FAKE_INSTALL=$install APT_GET=$work/apt-get \
          APT_RETRY_PAUSE=0 APT_CODENAME=bookworm bash -c '
        . scripts/lib/apt-fallback.sh
        status=0; apt_update_retrying || status=$?
        echo "update=$status"
        [ $status -eq 1 ] && APT_INDEX_MISSING=1
        if [ $status -le 1 ]; then apt_install_packages wine99 && echo install=0 || echo install=1; fi
    ' 2>&1)
    name="[$updates / $install]"
    check "$name update status" "$(grep -qx "update=$want_update" <<<"$out"; echo $?)"
    [ "$want_install" != - ] && check "$name install status" "$(grep -qx "install=$want_install" <<<"$out"; echo $?)"
    check "$name tries" "$([ "$(grep -c '^update' "$work/calls")" -eq "$want_tries" ]; echo $?)"
    pinned=no; grep -q 'Pin: release n=bookworm-security' "$work/calls" && grep -q 'Pin-Priority: 100' "$work/calls" && pinned=yes
    check "$name pinned" "$([ $pinned = "$want_pin" ]; echo $?)"
    [ "$message" != - ] && check "$name says '$message'" "$(grep -qF "$message" <<<"$out"; echo $?)"
done
echo "install-deps: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
