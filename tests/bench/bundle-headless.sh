#!/usr/bin/env bash
# Packs the bench bundle and renders three frames from it with no X server,
# through SDL's offscreen video driver and EGL, with only the bundle's own
# libraries besides the system's C and GL/EGL libraries; fails unless each
# frame is a picture (more than a few colours). Prints the bundle's size and
# the frames' folder. Run from the repository root after a default build.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/scripts/bench" --bundle "$work/bundle" >&2
out=${1:-$work/frames}
(
    cd "$work/bundle"
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZPDEMO_NO_DIALOGS=1 \
        LD_LIBRARY_PATH="$work/bundle/lib" bin/zpcapture --out "$out" --at 10,44.9,70 >/dev/null
)
for frame in "$out"/t0010000.png "$out"/t0044900.png "$out"/t0070000.png; do
    [ -s "$frame" ] || { echo "bundle-headless: no frame $frame" >&2; exit 1; }
    # A flat frame packs to almost nothing; a drawn one to tens of kilobytes.
    [ "$(stat -c %s "$frame")" -gt 20000 ] || { echo "bundle-headless: $frame looks empty" >&2; exit 1; }
done
echo "bundle: $(du -sm "$work/bundle" | cut -f1) MiB; three frames rendered offscreen through EGL in $out"
