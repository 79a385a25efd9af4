#!/usr/bin/env bash
# Checks the Linux tarball as a viewer gets it: unpacked into an empty
# folder, its zpdemo, beside nothing but what the tarball holds, plays from
# the pak (`writelog`, no ERROR, exit 0 on Escape).
# Usage (needs DISPLAY, xdotool): check-tarball.sh TGZ
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: check-tarball.sh TGZ" >&2; exit 2; }
tarball=$(realpath "$1")
: "${DISPLAY:?check-tarball.sh needs an X display}"
export ZPDEMO_NO_DIALOGS=1
# No sound card in CI: SDL's dummy device still plays the music's clock.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
. "$here/play-from-folder.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tar -C "$scratch" -xzf "$tarball" || { echo "FAIL: $tarball does not unpack"; exit 1; }
folder=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d)
if [ "$(echo "$folder" | wc -l)" -ne 1 ] || [ ! -x "$folder/zpdemo" ] || [ ! -f "$folder/zplumenweaver.dat" ]; then
    echo "FAIL: the tarball does not hold one folder with zpdemo and zplumenweaver.dat"
    exit 1
fi
for file in zpdemo.nfo LICENSE.txt README; do
    [ -s "$folder/$file" ] || fail "no $file in the tarball"
done
[ -d "$folder/data" ] && fail "the tarball holds a data folder"
grep -q 'libSDL2' "$folder/README" && pass "README names the libraries: $(grep -c '^  lib' "$folder/README")" ||
    fail "README names no shared library"

play_from_folder "$folder" '^Zephal - Lumenweaver' '' "$folder/zpdemo"

[ "$failures" -eq 0 ] || exit 1
echo "OK: $(basename "$tarball")"
