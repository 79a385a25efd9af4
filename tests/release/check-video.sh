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
python3 - "$video" <<'PY' || failures=$((failures + 1))
import subprocess, sys

video, cut, rate = sys.argv[1], 8 * 8 * 60 / 175, 60
def decode(*arguments):
    return subprocess.run(["ffmpeg", "-v", "error", "-t", "%.3f" % (cut + 1), "-i", video, *arguments, "-"],
                          check=True, stdout=subprocess.PIPE).stdout

# The flash swells up to the cut and fades after it: its brightest frame.
pixels = 64 * 48
grey = decode("-vf", "scale=64:48,format=gray", "-f", "rawvideo")
means = [sum(grey[i:i + pixels]) / pixels for i in range(0, len(grey) - pixels + 1, pixels)]
near = range(int((cut - 0.5) * rate), min(len(means), int((cut + 0.5) * rate)))
flash = max(near, key=lambda i: means[i]) / rate

# The 5 ms window that is louder than the one before by the largest factor.
samples_rate, window = 48000, 240
pcm = decode("-ac", "1", "-ar", str(samples_rate), "-f", "s16le")
values = memoryview(pcm).cast("h")
def power(w):
    chunk = values[w * window:(w + 1) * window]
    return sum(v * v for v in chunk) / max(1, len(chunk))
windows = range(int((cut - 0.5) * samples_rate / window), int((cut + 0.5) * samples_rate / window))
powers = {w: power(w) for w in range(windows.start - 1, windows.stop)}
onset = max(windows, key=lambda w: powers[w] / (powers[w - 1] + 1.0)) * window / samples_rate

print("the flash at %.3f s, the sound's rise at %.3f s, the cut at %.3f s" % (flash, onset, cut))
if abs(flash - onset) > 1 / rate + window / samples_rate:
    print("FAIL: picture and sound are %.1f ms apart" % (1000 * (flash - onset)))
    sys.exit(1)
PY
[ "$failures" -eq 0 ] || exit 1
echo "OK: $video: $picture$sound, $duration s"
