#!/usr/bin/env bash
# Measures how far the picture is from the sound while the show plays
# through a real PulseAudio server: ffmpeg grabs the screen and the sink's
# monitor together, each stamped with the wall clock as it arrives, over
# the first cuts; at each cut the brightest frame of its flash is compared
# with the sharpest rise of the sound. Positive: the picture comes late.
# Run from the repository root under scripts/with-virtual-display, on an
# otherwise idle machine. Needs ffmpeg with its x11grab and pulse inputs.
# Usage: tests/manual/picture-sound-offset.sh [ZPDEMO]
set -euo pipefail
root=$(pwd)
. tests/helpers/pulse-server.sh
. tests/manual/scratch-demo.sh
trap 'pulse_stop; rm -rf "$dir"' EXIT
pulse_start "$dir/server"
unset SDL_AUDIODRIVER
ZPDEMO_NO_DIALOGS=1 "$demo" writelog &
pid=$!
until grep -F "Starting music playback..." demo.log >/dev/null 2>&1; do sleep 0.05; done
# Both inputs stamp what they take with the wall clock (the sound less the
# server's latency); -copyts keeps those stamps in the file.
# An interrupt makes ffmpeg close the file properly.
timeout -s INT 60 ffmpeg -v error -f x11grab -framerate 30 -video_size 1024x768 -i "$DISPLAY" \
    -f pulse -fragment_size 1024 -i demo.monitor \
    -copyts -vf scale=64:48 -c:v rawvideo -pix_fmt gray -c:a pcm_s16le "$dir/show.mkv" 2>&1 |
    grep -v "non monotonically increasing dts" || true
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
echo "cut (show time)  flash - onset"
# The cuts at 8, 12, 16 and 20 patterns: each comes with a flash and a hit.
# The file starts a moment after the show: each flash is looked for near its
# cut, the sound's rise near the flash.
for pattern in 8 12 16 20; do
    cut=$(awk -v p="$pattern" 'BEGIN { printf "%.3f", p * 8 * 60 / 175 }')
    read -r _ flash _ onset < <(python3 "$root/tests/release/flash-and-onset.py" --stamped "$dir/show.mkv" "$cut" 1.5)
    awk -v c="$cut" -v f="$flash" -v o="$onset" 'BEGIN { printf "%8.3f s  %+7.1f ms\n", c, 1000 * (f - o) }'
done
