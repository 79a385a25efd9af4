#!/usr/bin/env bash
# Checks the Windows zip as a viewer gets it: unpacked into an empty folder it
# holds exactly zpdemo.exe, the pak, the .nfo and LICENSE.txt; under Wine,
# `zpdemo.exe writelog` plays from the pak alone, with no ERROR but the
# missing DirectSound, and exits 0 on Escape; with the pak renamed away the
# same run fails to load its shaders and exits 1.
# Usage (needs DISPLAY, xdotool, Wine): check-zip.sh ZIP
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: check-zip.sh ZIP" >&2; exit 2; }
zip=$(realpath "$1")
: "${DISPLAY:?check-zip.sh needs an X display}"
export ZP_WIN_BUILD_DIR=${ZP_WIN_BUILD_DIR:-$(cd "$here/../.." && pwd)/build-win}
. "$here/../windows/wine-env.sh"
. "$here/play-from-folder.sh"

folder=$(mktemp -d)
cleanup() {
    wine_stop_server
    rm -rf "$folder"
}
trap cleanup EXIT

python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder" || {
    echo "FAIL: $zip does not unpack"
    exit 1
}
held=$(cd "$folder" && find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' ')
expected="LICENSE.txt zpdemo.exe zpdemo.nfo zplumenweaver.dat "
[ "$held" = "$expected" ] && pass "the zip holds $held" || fail "the zip holds \"$held\", not \"$expected\""

wine_prepare_prefix
wine_stop_server
play_from_folder "$folder" . 'ERROR.Could not initialize DirectSound\.$' "$zp_wine" "$folder/zpdemo.exe"
wine_stop_server

# Without the pak the show has nothing to read: proof that the run above
# read it.
mv "$folder/zplumenweaver.dat" "$folder/away.dat"
rm -f "$folder/demo.log"
(cd "$folder" && wine_run 300 "$folder/zpdemo.exe" writelog >out.txt 2>&1)
status=$?
[ "$status" -eq 1 ] && pass "without the pak: exit 1" || fail "without the pak: exit $status, not 1"
if play_log "$folder" | grep -E 'ERROR.*Cannot load shader' >/dev/null; then
    pass "without the pak: \"$(play_log "$folder" | grep -m1 -oE 'Cannot load shader.*')\""
else
    fail "without the pak: no shader-loading error in demo.log"
    play_log "$folder" | tail -n 20
fi

[ "$failures" -eq 0 ] || exit 1
echo "OK: $(basename "$zip")"
