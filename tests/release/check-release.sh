#!/usr/bin/env bash
# Runs every release check over what scripts/release wrote: the checksums,
# the .nfo of the zip and of the tarball, the zip under Wine and the tarball
# on a virtual X server, the Debian package where there is one and the
# capture video where there is one; the web zip in headless Chromium.
# Usage: check-release.sh [DIST] (default: dist/ of the repository)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
dist=$(realpath "${1:-$root/dist}")
export ZPDEMO_NO_DIALOGS=1

only() {
    local matches=("$dist"/$1)
    if [ ${#matches[@]} -ne 1 ] || [ ! -f "${matches[0]}" ]; then
        echo "FAIL: not one $1 in $dist" >&2
        exit 1
    fi
    echo "${matches[0]}"
}

step() { printf '\n-- %s (%d s)\n' "$*" "$SECONDS"; }

zip=$(only 'zpdemo-*-windows-x64.zip')
tarball=$(only 'zpdemo-*-linux-x86_64.tar.gz')
web_zip=$(only 'zpdemo-*-web.zip')
version=$(basename "$zip" -windows-x64.zip)
version=${version#zpdemo-}

step "Checksums"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) && echo "ok: every file matches SHA256SUMS"
listed=$(awk '{ print $2 }' "$dist/SHA256SUMS" | sort | tr '\n' ' ')
present=$(cd "$dist" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | sort | tr '\n' ' ')
[ "$listed" = "$present" ] || { echo "FAIL: SHA256SUMS lists \"$listed\", dist/ holds \"$present\""; exit 1; }

step "The .nfo files"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("zpdemo.nfo"))' "$zip" \
    >"$scratch/windows.nfo"
tar -xzOf "$tarball" "zpdemo-$version-linux-x86_64/zpdemo.nfo" >"$scratch/linux.nfo"
"$here/check-nfo.sh" "$scratch/windows.nfo" "$version"
"$here/check-nfo.sh" "$scratch/linux.nfo" "$version"

step "The zip under Wine"
"$root/scripts/with-virtual-display" "$here/check-zip.sh" "$zip"

step "The tarball"
"$root/scripts/with-virtual-display" "$here/check-tarball.sh" "$tarball"

step "The web zip"
"$here/check-web-zip.sh" "$web_zip"

deb=("$dist"/zpdemo_*_amd64.deb)
if [ -f "${deb[0]}" ]; then
    step "The Debian package"
    "$here/check-deb.sh" "${deb[0]}"
else
    echo "No Debian package in $dist: not checked"
fi

if [ -f "$dist/zpdemo-$version-capture.mp4" ]; then
    step "The capture video"
    "$here/check-video.sh" "$dist/zpdemo-$version-capture.mp4"
fi
step "The release checks passed"
