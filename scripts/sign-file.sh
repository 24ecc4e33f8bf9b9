#!/usr/bin/env bash
# sign-file.sh FILE: signs FILE (a program, a DLL, an installer or an MSI
# package) in place with Authenticode, SHA-256, when SIGN_PFX names a
# PKCS#12 file with the certificate and its private key (SIGN_PASSWORD its
# password; SIGN_TIMESTAMP_URL, when set, an RFC 3161 timestamp server).
# Without SIGN_PFX it changes nothing. The build calls it for each binary
# it packs (installer/stage_payload.cmake), for the uninstaller and the
# installer (quillmate.nsi) and for the MSI package.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 FILE" >&2; exit 2; }
file=$1
[ -n "${SIGN_PFX:-}" ] || exit 0
arguments=(sign -pkcs12 "$SIGN_PFX" -h sha256 -n Quillmate)
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
    arguments+=(-ts "$SIGN_TIMESTAMP_URL")
fi
signed=$(mktemp "$file.XXXXXX")
trap 'rm -f "$signed"' EXIT
# The password goes through a pipe, never on a command line others can list.
if ! osslsigncode "${arguments[@]}" -readpass <(printf '%s' "${SIGN_PASSWORD:-}") \
        -in "$file" -out "$signed.out" >"$signed" 2>&1; then
    cat "$signed" >&2
    rm -f "$signed.out"
    echo "sign-file.sh: signing $file failed" >&2
    exit 1
fi
mv "$signed.out" "$file"
