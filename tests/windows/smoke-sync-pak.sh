#!/usr/bin/env bash
# zpdemo.exe reads track files from the pak: a track file whose rows go back
# is packed by `zpdemo.exe buildpak`, the loose files go, and the show must
# stop at start-up with the file and the reason in its log and exit code 1.
# Usage (needs DISPLAY): smoke-sync-pak.sh <zpdemo.exe> [data directory]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows_demo=$(realpath "$1")
data=$(realpath "${2:-$here/../../data}")
export ZP_WIN_BUILD_DIR=${ZP_WIN_BUILD_DIR:-$(dirname "$windows_demo")}
. "$here/wine-env.sh"
: "${DISPLAY:?smoke-sync-pak.sh needs an X display}"

scratch=$(mktemp -d "$ZP_WIN_BUILD_DIR/smoke-sync-pak.XXXXXX")
trap 'wine_stop_server; rm -rf "$scratch"' EXIT
cp -r "$data" "$scratch/data"
mkdir -p "$scratch/data/sync"
# Two keys, rows 8 then 4: little-endian count, then row, value, interpolation.
printf '\x02\0\0\0\x08\0\0\0\0\0\x80\x3f\x01\x04\0\0\0\0\0\0\0\0' >"$scratch/data/sync/post.uFade.track"

wine_prepare_prefix
wine_stop_server
(cd "$scratch" && wine_run 300 "$windows_demo" buildpak >buildpak.txt 2>&1) || {
    echo "FAIL: zpdemo.exe buildpak failed"
    tail -n 20 "$scratch/buildpak.txt"
    exit 1
}
rm -rf "$scratch/data"
status=0
(cd "$scratch" && ZPDEMO_NO_DIALOGS=1 wine_run 120 "$windows_demo" writelog >out.txt 2>&1) || status=$?
expected="Cannot load sync track from file 'data/sync/post.uFade.track': key 1 does not come after the key before it."
if [ "$status" -ne 1 ] || ! tr -d '\r' <"$scratch/demo.log" | grep -qF "$expected"; then
    echo "FAIL: zpdemo.exe exited $status; its log:"
    tr -d '\r' <"$scratch/demo.log" 2>/dev/null | tail -n 15
    exit 1
fi
echo "ok: zpdemo.exe read the track file from the pak and refused it with exit code 1"
