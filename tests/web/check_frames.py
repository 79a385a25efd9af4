#!/usr/bin/env python3
"""The web build draws the golden frames: the page's capture mode
(?capture=SECONDS&size=320x240) at five of the golden times, each compared
with the desktop build's golden frame of that time, and with the golden
frame of another time, which must not match.

    check_frames.py BUILD_DIR

The web frames and the difference pictures (changed pixels in red) go to
$ZP_WEB_OUT, or a new temporary folder, named in the output."""

import base64
import os
import sys
import tempfile

import devtools
import png
import webshow
from webshow import ERROR_SHOWN, Checks, Served

GOLDEN = os.path.join(webshow.ROOT, "tools", "capture", "tests", "golden")
SIZE = (320, 240)

# The golden times drawn, in milliseconds, each with the other time's golden
# frame it must not match: a time close in look where one exists. The
# spheres (22 s to 44 s) are left out: their cells' colours come from a hash
# of sin() at large arguments, whose last digits differ between renderers,
# so whole spheres change colour under SwiftShader (15% of the pixels by
# more than 16 at 30 s).
FRAMES = {
    1500: ("the mesh light fading in", 149500),
    8600: ("a title card", 11300),
    17900: ("the title card", 11300),
    48000: ("the box grid", 60000),
    80000: ("the cubes, raymarched", 66800),
}

# The golden frames come from Mesa's llvmpipe; the web frames from ANGLE on
# SwiftShader, through GLSL ES and WebGL. Both rasterise the same triangles
# but cover a triangle's edge pixels differently and round gradients
# differently: measured over eleven golden times, the box grid's edges
# change up to 2.0% of the pixels by more than 8 (0.85% by more than 16),
# the raymarched cubes 0.8% (0.4%), glows and text under 0.1%. Within 16
# levels, at most 1.5% of the pixels changed, the web frames match; the
# nearest wrong frame, the dark mesh at 1.5 s against the black close at
# 149.5 s, still changes 2.5% and fails.
CHANNEL_TOLERANCE = 16
CHANGED_SHARE = 0.015


def golden(ms):
    return png.read(os.path.join(GOLDEN, "t%07d.png" % ms))


def capture(page, url, ms):
    page.navigate(url + "?capture=%g&size=%dx%d" % ((ms / 1000.0,) + SIZE))
    page.wait_for("window.zpdemoFrameReady === true || " + ERROR_SHOWN, 240, interval=0.5)
    if page.evaluate(ERROR_SHOWN):
        raise devtools.DevToolsError("capture at %g s: the page says \"%s\"" % (ms / 1000.0, webshow.error_text(page)))
    url = page.evaluate("window.zpdemoFramePNG()")
    prefix = "data:image/png;base64,"
    if not isinstance(url, str) or not url.startswith(prefix):
        raise devtools.DevToolsError("zpdemoFramePNG() gave no PNG: %r" % (url[:60] if url else url))
    return base64.b64decode(url[len(prefix):])


def check_frames(checks, folder, out):
    with Served(folder) as served, devtools.Browser() as browser:
        page = browser.page()
        for ms, (what, other) in FRAMES.items():
            data = capture(page, served.page(), ms)
            with open(os.path.join(out, "web-t%07d.png" % ms), "wb") as saved:
                saved.write(data)
            frame = png.decode(data, "the frame at %d ms" % ms)
            if (frame.width, frame.height) != SIZE:
                checks.fail("%d ms: a %dx%d frame" % (ms, frame.width, frame.height), page)
                continue
            same = png.compare(frame, golden(ms), CHANNEL_TOLERANCE)
            png.write(os.path.join(out, "diff-t%07d.png" % ms), same.picture)
            strict = png.compare(frame, golden(ms))
            checks.expect(same.within(CHANGED_SHARE), "%g s, %s: %s (at the desktop's tolerance %.2f%%)"
                          % (ms / 1000.0, what, same, 100 * strict.share), page)
            wrong = png.compare(frame, golden(other), CHANNEL_TOLERANCE)
            checks.expect(not wrong.within(CHANGED_SHARE), "%g s against the golden frame of %g s: %s, no match"
                          % (ms / 1000.0, other / 1000.0, wrong))
            if page.exceptions():
                checks.fail("%d ms: an exception on the page" % ms, page)


def main(argv):
    if len(argv) != 1 or argv[0].startswith("-"):
        print("usage: check_frames.py BUILD_DIR", file=sys.stderr)
        return 2
    out = os.environ.get("ZP_WEB_OUT") or tempfile.mkdtemp(prefix="zp-web-frames-")
    os.makedirs(out, exist_ok=True)
    checks = Checks()
    checks.run("Frames match the golden frames (channel tolerance %d, at most %.1f%% changed)"
               % (CHANNEL_TOLERANCE, 100 * CHANGED_SHARE), check_frames, os.path.abspath(argv[0]), out)
    print("\nThe web frames and their differences: %s" % out)
    print("%s" % ("every check passed" if not checks.failures else "%d checks FAILED" % checks.failures))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
