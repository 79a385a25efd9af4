#!/usr/bin/env python3
"""Finds, in a recording of the show's picture and sound, the brightest frame
of the flash at a cut and the sharpest rise of the sound near it.

Usage: flash-and-onset.py [--stamped] FILE NEAR [RADIUS]

NEAR is the cut's time in the file, in seconds; both are looked for within
RADIUS seconds of it (default 0.5). Prints "flash F onset O" in seconds of
the file. The flash swells up to the cut and fades after it; the onset is the
5 ms window louder than the one before by the largest factor.

--stamped is for a live recording whose streams carry the times at which
each frame was grabbed and the sound began: each frame is placed at its own
time and the sound at its stream's start, instead of both counted from the
file's start at a steady rate; the rise is looked for within 0.3 s of the
flash.
"""
import subprocess
import sys


def decode(media, until, *arguments):
    return subprocess.run(["ffmpeg", "-v", "fatal", "-t", "%.3f" % until, "-i", media, *arguments, "-"],
                          check=True, stdout=subprocess.PIPE).stdout


def frame_rate(media):
    rate = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                           "stream=avg_frame_rate", "-of", "default=noprint_wrappers=1:nokey=1", media],
                          check=True, stdout=subprocess.PIPE, text=True).stdout.strip()
    numerator, _, denominator = rate.partition("/")
    return float(numerator) / float(denominator or 1)


def probe_times(media, stream, entry):
    text = subprocess.run(["ffprobe", "-v", "error", "-select_streams", stream, "-show_entries", entry,
                           "-of", "csv=p=0", media], check=True, stdout=subprocess.PIPE, text=True).stdout
    return [float(line.strip().strip(",")) for line in text.splitlines() if line.strip().strip(",")]


def brightest_frame(media, near, radius, stamped):
    pixels = 64 * 48
    if stamped:
        times = probe_times(media, "v:0", "frame=pts_time")
        origin = min(times[0], probe_times(media, "a:0", "stream=start_time")[0])
        times = [t - origin for t in times]
        grey = decode(media, 1e6, "-fps_mode", "passthrough", "-vf", "scale=64:48,format=gray", "-f", "rawvideo")
    else:
        rate = frame_rate(media)
        grey = decode(media, near + radius + 0.5, "-vf", "scale=64:48,format=gray", "-f", "rawvideo")
        times = [i / rate for i in range(len(grey) // pixels)]
    means = [sum(grey[i:i + pixels]) / pixels for i in range(0, len(grey) - pixels + 1, pixels)]
    frames = [i for i in range(min(len(means), len(times))) if abs(times[i] - near) <= radius]
    return times[max(frames, key=lambda i: means[i])]


def sharpest_rise(media, near, radius, stamped):
    rate, window = 48000, 240
    start = 0.0
    if stamped:
        video = probe_times(media, "v:0", "frame=pts_time")[0]
        sound = probe_times(media, "a:0", "stream=start_time")[0]
        start = sound - min(video, sound)
    near -= start
    values = memoryview(decode(media, near + radius + 0.5, "-vn", "-ac", "1", "-ar", str(rate),
                               "-f", "s16le")).cast("h")

    def power(w):
        chunk = values[w * window:(w + 1) * window]
        return sum(v * v for v in chunk) / max(1, len(chunk))
    windows = range(max(1, int((near - radius) * rate / window)), int((near + radius) * rate / window))
    powers = {w: power(w) for w in range(windows.start - 1, windows.stop)}
    return start + max(windows, key=lambda w: powers[w] / (powers[w - 1] + 1.0)) * window / rate


def main():
    arguments = sys.argv[1:]
    stamped = bool(arguments) and arguments[0] == "--stamped"
    if stamped:
        arguments = arguments[1:]
    if len(arguments) not in (2, 3):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    media, near = arguments[0], float(arguments[1])
    radius = float(arguments[2]) if len(arguments) == 3 else 0.5
    flash = brightest_frame(media, near, radius, stamped)
    # A live recording starts at no known time of the show: the rise is
    # looked for near the flash found.
    onset = sharpest_rise(media, flash, min(radius, 0.3), stamped) if stamped else sharpest_rise(
        media, near, radius, stamped)
    print("flash %.4f onset %.4f" % (flash, onset))
    return 0


if __name__ == "__main__":
    sys.exit(main())
