#!/usr/bin/env python3
"""Figures of the web build in headless Chromium: the time from the click to
the first progress-bar frame, the frames per second of each part of the
show, the audio clock against the show's time, and screenshots of the page
before the start and while playing.

    measure.py BUILD_DIR [--until SECONDS] [--out DIR]

Chromium draws with SwiftShader here, on the CPU: the frame rates say how
the page copes with a slow renderer, nothing of a graphics card."""

import argparse
import os
import re
import statistics
import sys
import tempfile
import time

import devtools
import webshow
from webshow import ERROR_SHOWN, START_SHOWN, Served

SAMPLE = ("(s => ({now: performance.now(), time: s.time, frames: s.frames, audioTime: s.audioTime,"
          " ended: s.ended, precalcDone: s.precalcDone}))(window.zpdemoStatus)")


def show_parts():
    """(start, end, name) of each part of the show's bottom layer, read from
    the show's own time line so that the two never disagree."""
    show = os.path.join(webshow.ROOT, "demo", "show")
    tempo = open(os.path.join(show, "Tempo.h")).read()
    bpm = int(re.search(r"bpm = (\d+)", tempo).group(1))
    beats = int(re.search(r"patternBeats = (\d+)", tempo).group(1))
    pattern = beats * 60.0 / bpm
    line = open(os.path.join(show, "TimeLine.cpp")).read()
    closing = float(re.search(r"kClosingSeconds = ([\d.]+)", line).group(1))
    parts = []
    for scene, variant, start, end, extra in re.findall(
            r"\{0, SceneId::(\w+), (\d+), (\d+)(?: \* p)?, (\d+)(?: \* p)?( \+ kClosingSeconds)?", line):
        begin = int(start) * pattern
        finish = int(end) * pattern + (closing if extra else 0.0)
        parts.append((begin, finish, "%s %s" % (scene, variant)))
    if not parts:
        raise RuntimeError("no parts found in demo/show/TimeLine.cpp")
    return parts


def frame_rates(samples, parts):
    """Frames per second of each part, from the frames drawn between two
    samples within it."""
    rows = []
    for start, end, name in parts:
        frames = seconds = 0.0
        for a, b in zip(samples, samples[1:]):
            if start <= a["time"] and b["time"] <= end and b["frames"] > a["frames"]:
                frames += b["frames"] - a["frames"]
                seconds += (b["now"] - a["now"]) / 1000.0
        rows.append((start, end, name, frames / seconds if seconds else None, seconds))
    return rows


def play(page, until, out):
    page.screenshot(os.path.join(out, "before-start.png"))
    page.click("start")
    page.wait_for("window.zpdemoStatus.firstProgressFrameAt !== null || " + ERROR_SHOWN, 120, interval=0.05)
    state = webshow.status(page)
    if page.evaluate(ERROR_SHOWN):
        raise RuntimeError("the page says: %s" % webshow.error_text(page))
    to_progress = state["firstProgressFrameAt"] - state["startedAt"]
    page.wait_for("window.zpdemoStatus.precalcDone", 300, interval=0.1)
    to_show = page.evaluate("performance.now()") - state["startedAt"]
    samples, shot = [], None
    while True:
        # A page that stops answering for a while is a figure too: its
        # stalls are read from the gaps between samples.
        sample = page.evaluate(SAMPLE, timeout=300)
        samples.append(sample)
        if shot is None and sample["time"] >= min(30.0, until / 2):
            page.screenshot(os.path.join(out, "playing.png"))
            shot = sample["time"]
        if sample["ended"] or sample["time"] >= until or page.evaluate(ERROR_SHOWN):
            break
        time.sleep(0.5)
    return to_progress, to_show, samples, shot


def print_offsets(samples):
    print()
    # The audio context's clock runs on through the sound's dropouts while
    # the show's time, the sound's position, waits: the offset grows by each.
    for label, until in (("", None), (" over the first 10 s of show time", 10.0)):
        offsets = [1000.0 * (s["audioTime"] - s["time"]) for s in samples
                   if s["audioTime"] is not None and (until is None or s["time"] <= until)]
        if len(offsets) > 1:
            print("audio clock minus show time%s, %d samples: mean %.1f ms, standard deviation %.1f ms,"
                  " from %.1f to %.1f ms" % (label, len(offsets), statistics.mean(offsets),
                                             statistics.stdev(offsets), min(offsets), max(offsets)))


def print_faults(samples):
    for a, b in zip(samples, samples[1:]):
        if b["now"] - a["now"] > 2000:
            print("the page did not answer for %.1f s after show time %.2f s" % ((b["now"] - a["now"]) / 1000.0,
                                                                               a["time"]))
        if b["time"] < a["time"]:
            print("show time went back from %.2f s to %.2f s" % (a["time"], b["time"]))


def report(to_progress, to_show, samples, shot, parts, out):
    print("Chromium renders with SwiftShader here: software rendering on the CPU, no graphics card.")
    print("click to the first progress-bar frame: %.0f ms" % to_progress)
    print("click to the precalc done (polled every 0.1 s): %.1f s" % (to_show / 1000.0))
    print("show time reached: %.1f s, %d frames" % (samples[-1]["time"], samples[-1]["frames"]))
    print("\nframes per second, part by part (frames between samples inside the part):")
    for start, end, name, fps, seconds in frame_rates(samples, parts):
        if seconds:
            print("  %6.1f - %6.1f s  %-12s %5.1f fps over %.0f s" % (start, end, name, fps, seconds))
    print_offsets(samples)
    print_faults(samples)
    print("\nscreenshots: %s, %s%s" % (os.path.join(out, "before-start.png"), os.path.join(out, "playing.png"),
                                       " (at %.1f s)" % shot if shot is not None else " (not reached)"))


def main(argv):
    parser = argparse.ArgumentParser(description="Figures of the web build in headless Chromium (SwiftShader).")
    parser.add_argument("build")
    parser.add_argument("--until", type=float, default=1e9, help="show time to stop at (default: the end)")
    parser.add_argument("--out", default=os.environ.get("ZP_WEB_OUT"), help="folder for the screenshots")
    options = parser.parse_args(argv)
    out = options.out or tempfile.mkdtemp(prefix="zp-web-measure-")
    os.makedirs(out, exist_ok=True)
    parts = show_parts()
    with Served(os.path.abspath(options.build)) as served, devtools.Browser() as browser:
        page = browser.page()
        webshow.open_page(page, served.page())
        if not page.evaluate(START_SHOWN):
            raise SystemExit("the page shows no start button: %s" % webshow.error_text(page))
        try:
            figures = play(page, options.until, out)
        except (devtools.DevToolsError, RuntimeError) as error:
            print("FAIL: %s\n%s" % (error, page.report()))
            return 1
    report(*figures, parts, out)
    if page.messages:
        print("\nthe page said:\n" + page.report())
    return 1 if page.exceptions() else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
