#!/usr/bin/env python3
"""Compares what a sound server played with the track's own decode.

Usage: compare-recording.py RECORDING DECODE [--from SECONDS] [--max-dropouts N]

Both files are raw 16-bit little-endian stereo at 44.1 kHz. The recording
is aligned with the decode at the first sound (or, with --from, at the
decode's sound from that time on), then walked block by block. A dropout is
a stretch of silence the server played when the stream ran dry; the sound
goes on after it, later by as much, so the walk looks for the decode again
just after the silence. Anything else that differs is a fault. Prints the
dropouts and how far the recording matched, and exits 1 when a part
differs, too little matched, or there were more dropouts than allowed.
"""
import argparse
import sys

FRAME = 4                 # bytes per stereo frame
RATE = 44100
BLOCK = 1024 * FRAME      # compared at once
PROBE = 256 * FRAME       # the decode looked for after a dropout
LONGEST_GAP = RATE * FRAME  # a dropout longer than a second is no dropout


def first_sound(data, start=0):
    for offset in range(start - start % FRAME, len(data) - FRAME + 1, FRAME):
        if data[offset:offset + FRAME] != b"\0\0\0\0":
            return offset
    return -1


def align(recording, decode, start):
    """The recording's byte offset of the decode's byte `start`, or None."""
    probe = decode[start:start + 8 * PROBE]
    at = recording.find(probe)
    while at >= 0 and at % FRAME:
        at = recording.find(probe, at + 1)
    return None if at < 0 else at


def first_difference(a, b):
    for offset in range(0, min(len(a), len(b)), FRAME):
        if a[offset:offset + FRAME] != b[offset:offset + FRAME]:
            return offset
    return min(len(a), len(b))


def find_frame(haystack, needle, start=0):
    at = haystack.find(needle, start)
    while at >= 0 and at % FRAME:
        at = haystack.find(needle, at + 1)
    return at


def resume_after_gap(recording, decode, decoded_at, recorded_at):
    """Where the decode goes on in the recording after a dropout: the bytes
    of the decode skipped and of the recording skipped, or None. A server
    that ran dry plays silence, and may drop what came too late or play a
    part of it."""
    window = recording[recorded_at:recorded_at + LONGEST_GAP + PROBE]
    for skipped in range(0, LONGEST_GAP, 64 * FRAME):
        probe = decode[decoded_at + skipped:decoded_at + skipped + PROBE]
        if len(probe) < PROBE:
            return None
        if probe.count(0) == len(probe):
            continue  # silence matches any silence
        found = find_frame(window, probe)
        if found >= 0:
            return skipped, found
    return None


def walk(recording, decode, decoded_at, recorded_at):
    """Yields ("dropout", seconds into the track, (silence, lost)), ("differs", seconds) and ("end", seconds)."""
    while decoded_at + BLOCK <= len(decode) and recorded_at + BLOCK <= len(recording):
        if decode[decoded_at:decoded_at + BLOCK] == recording[recorded_at:recorded_at + BLOCK]:
            decoded_at += BLOCK
            recorded_at += BLOCK
            continue
        step = first_difference(decode[decoded_at:decoded_at + BLOCK], recording[recorded_at:recorded_at + BLOCK])
        decoded_at += step
        recorded_at += step
        resumed = resume_after_gap(recording, decode, decoded_at, recorded_at)
        if resumed is None:
            yield ("differs", decoded_at / FRAME / RATE, None)
            return
        skipped, found = resumed
        yield ("dropout", decoded_at / FRAME / RATE, (found / FRAME / RATE, skipped / FRAME / RATE))
        decoded_at += skipped
        recorded_at += found
    yield ("end", decoded_at / FRAME / RATE, None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("recording")
    parser.add_argument("decode")
    parser.add_argument("--from", dest="start", type=float, default=None)
    parser.add_argument("--max-dropouts", type=int, default=3)
    parser.add_argument("--min-seconds", type=float, default=1.0)
    args = parser.parse_args()
    recording = open(args.recording, "rb").read()
    decode = open(args.decode, "rb").read()
    # The last moments may be cut off mid-block when the recording stops.
    recording = recording[:max(0, len(recording) - RATE * FRAME // 2)]

    # A sought track starts within a sample of the time asked for: the walk
    # begins a little after it.
    begin = 0.0 if args.start is None else args.start + 0.1
    start = first_sound(decode, int(begin * RATE) * FRAME)
    recorded_at = align(recording, decode, start) if start >= 0 else None
    if recorded_at is None:
        print("FAIL: the decode from %.3f s is nowhere in the recording" % begin)
        return 1
    dropouts, failed, matched_to = [], False, start
    for kind, seconds, value in walk(recording, decode, start, recorded_at):
        if kind == "dropout":
            dropouts.append((seconds, value))
            print("dropout at %.3f s of the track: %.1f ms played in its place, %.1f ms of the track lost"
                  % (seconds, value[0] * 1000, value[1] * 1000))
        elif kind == "differs":
            print("FAIL: the recording differs from the decode at %.3f s of the track" % seconds)
            failed = True
        matched_to = seconds
    matched = matched_to - start / FRAME / RATE
    print("matched %.3f s of the track from %.3f s, sample for sample, with %d dropouts"
          % (matched, start / FRAME / RATE, len(dropouts)))
    if matched < args.min_seconds:
        print("FAIL: only %.3f s matched, %.3f s wanted" % (matched, args.min_seconds))
        failed = True
    if len(dropouts) > args.max_dropouts:
        print("FAIL: %d dropouts, at most %d allowed" % (len(dropouts), args.max_dropouts))
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
