#!/usr/bin/env bash
# Checks a capture video with ffprobe: 1440x1080 at 60 frames a second,
# H.264 in yuv420p with AAC sound, and as long as the show, 151.114 s (54
# patterns at 175 beats a minute, plus 3 s), within one frame. Then picture
# and sound in step: the brightest frame of the flash at the cut at 8
# patterns (21.943 s) comes within one frame of the sharpest rise of the
# sound there.
# Usage: check-video.sh FILE
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: check-video.sh FILE" >&2; exit 2; }
video=$1
[ -f "$video" ] || { echo "FAIL: no file $video"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

probe() { ffprobe -v error -select_streams "$1" -show_entries "$2" -of default=noprint_wrappers=1:nokey=1 "$video"; }

picture=$(probe v:0 stream=codec_name,pix_fmt,width,height,r_frame_rate | tr '\n' ' ')
[ "$picture" = "h264 1440 1080 yuv420p 60/1 " ] || fail "picture is \"$picture\", not \"h264 1440 1080 yuv420p 60/1\""
sound=$(probe a:0 stream=codec_name)
[ "$sound" = aac ] || fail "sound is \"$sound\", not aac"
duration=$(ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$video")
awk -v d="$duration" 'BEGIN { exit !(d >= 151.114 - 1/60 && d <= 151.114 + 1/60) }' ||
    fail "lasts $duration s, not 151.114 s within 1/60 s"
cut=$(awk 'BEGIN { printf "%.6f", 8 * 8 * 60 / 175 }')
read -r _ flash _ onset < <(python3 "$(dirname "$0")/flash-and-onset.py" "$video" "$cut")
if [ -z "${onset:-}" ]; then
    fail "the flash and the sound's rise could not be found"
    onset=1000
fi
echo "the flash at $flash s, the sound's rise at $onset s, the cut at $cut s"
# One frame at 60 Hz, and the 5 ms window the rise is found in.
awk -v f="$flash" -v o="$onset" 'BEGIN { d = f - o; exit !(d <= 1/60 + 0.005 && d >= -(1/60 + 0.005)) }' ||
    fail "picture and sound are $(awk -v f="$flash" -v o="$onset" 'BEGIN { printf "%.1f", 1000 * (f - o) }') ms apart"
[ "$failures" -eq 0 ] || exit 1
echo "OK: $video: $picture$sound, $duration s"
