#!/usr/bin/env bash
# Checks a release's .nfo: plain ASCII, lines of at most 80 characters (CR LF
# line ends allowed), every placeholder of the template filled in, and the
# version named.
# Usage: check-nfo.sh NFO VERSION
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: check-nfo.sh NFO VERSION" >&2; exit 2; }
nfo=$1 version=$2
[ -f "$nfo" ] || { echo "FAIL: no file $nfo"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if LC_ALL=C grep -qn '[^[:print:][:space:]]' "$nfo"; then
    fail "not plain ASCII: $(LC_ALL=C grep -n '[^[:print:][:space:]]' "$nfo" | head -n 3)"
fi
long=$(tr -d '\r' <"$nfo" | awk 'length > 80 { print NR ": " length " characters" }')
[ -z "$long" ] || fail "lines over 80 characters: $long"
grep -q '@[A-Z]*@' "$nfo" && fail "placeholders left: $(grep -o '@[A-Z]*@' "$nfo" | sort -u | tr '\n' ' ')"
grep -qF -- "$version" "$nfo" || fail "the version $version is not named"
[ "$failures" -eq 0 ] || exit 1
echo "OK: $nfo, $(wc -l <"$nfo") lines, version $version"
