#!/usr/bin/env python3
"""Finds, in a recording of the show's picture and sound, the brightest frame
of the flash at a cut and the sharpest rise of the sound near it.

Usage: flash-and-onset.py FILE NEAR [RADIUS]

NEAR is the cut's time in the file, in seconds; both are looked for within
RADIUS seconds of it (default 0.5). Prints "flash F onset O" in seconds of
the file. The flash swells up to the cut and fades after it; the onset is the
5 ms window louder than the one before by the largest factor.
"""
import subprocess
import sys


def decode(media, until, *arguments):
    return subprocess.run(["ffmpeg", "-v", "error", "-t", "%.3f" % until, "-i", media, *arguments, "-"],
                          check=True, stdout=subprocess.PIPE).stdout


def frame_rate(media):
    rate = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                           "stream=avg_frame_rate", "-of", "default=noprint_wrappers=1:nokey=1", media],
                          check=True, stdout=subprocess.PIPE, text=True).stdout.strip()
    numerator, _, denominator = rate.partition("/")
    return float(numerator) / float(denominator or 1)


def brightest_frame(media, near, radius):
    rate = frame_rate(media)
    pixels = 64 * 48
    grey = decode(media, near + radius + 0.5, "-vf", "scale=64:48,format=gray", "-f", "rawvideo")
    means = [sum(grey[i:i + pixels]) / pixels for i in range(0, len(grey) - pixels + 1, pixels)]
    frames = range(max(0, int((near - radius) * rate)), min(len(means), int((near + radius) * rate)))
    return max(frames, key=lambda i: means[i]) / rate


def sharpest_rise(media, near, radius):
    rate, window = 48000, 240
    values = memoryview(decode(media, near + radius + 0.5, "-ac", "1", "-ar", str(rate), "-f", "s16le")).cast("h")

    def power(w):
        chunk = values[w * window:(w + 1) * window]
        return sum(v * v for v in chunk) / max(1, len(chunk))
    windows = range(max(1, int((near - radius) * rate / window)), int((near + radius) * rate / window))
    powers = {w: power(w) for w in range(windows.start - 1, windows.stop)}
    return max(windows, key=lambda w: powers[w] / (powers[w - 1] + 1.0)) * window / rate


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    media, near = sys.argv[1], float(sys.argv[2])
    radius = float(sys.argv[3]) if len(sys.argv) == 4 else 0.5
    print("flash %.4f onset %.4f" % (brightest_frame(media, near, radius), sharpest_rise(media, near, radius)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
