#!/usr/bin/env python3
"""The web build in headless Chromium (SwiftShader): the show starts and
plays, with the isolation headers and through the page's service worker
without them; a missing, garbled or cut-short pak and a browser without
WebGL 2 each show their message.

    check_show.py BUILD_DIR          the tests above
    check_show.py --visitor FOLDER   FOLDER served by its own serve.py: the
                                     show plays 10 s of show time unharmed
"""

import os
import random
import shutil
import sys
import tempfile
import time

import devtools
import webshow
from webshow import ERROR_SHOWN, Checks, Served

PAK_MESSAGE = "Could not load pak file."


# Frames drawn and display frames the browser gave, over a span of wall time.
PACE = """new Promise(done => {
  const first = window.zpdemoStatus.frames, start = performance.now();
  let shown = 0;
  const count = () => {
    if (performance.now() - start < %d) { shown += 1; requestAnimationFrame(count); }
    else done({drawn: window.zpdemoStatus.frames - first, shown: shown});
  };
  requestAnimationFrame(count);
})"""


def plays(checks, page, what, seconds=2.0):
    """Show time moves on, and the show draws no more frames than the
    browser shows: a loop that outruns a slow renderer piles up work that
    later blocks the page, and its sound, for many seconds."""
    first = webshow.status(page)
    pace = page.evaluate(PACE % (seconds * 1000), timeout=seconds + 30)
    second = webshow.status(page)
    checks.expect(second["time"] > first["time"] and pace["drawn"] > 0,
                  "%s: show time %.2f -> %.2f s" % (what, first["time"], second["time"]), page)
    checks.expect(pace["drawn"] <= pace["shown"] + 2, "%s: %d frames drawn while the browser showed %d"
                  % (what, pace["drawn"], pace["shown"]), page)


def set_hidden(page, hidden):
    """What the browser does when the tab goes to the back or comes forward."""
    page.evaluate("Object.defineProperty(document, 'hidden', {configurable: true, get: () => %s});"
                  "document.dispatchEvent(new Event('visibilitychange')); 0" % ("true" if hidden else "false"))


def check_hidden_then_escape(checks, page):
    """A hidden page stands still, sound and picture, and goes on from the
    same moment; Escape outside full screen ends the show, and the start
    page is back."""
    set_hidden(page, True)
    time.sleep(1.0)
    held = webshow.status(page)["time"]
    time.sleep(1.5)
    still = webshow.status(page)["time"]
    set_hidden(page, False)
    time.sleep(1.5)
    after = webshow.status(page)
    checks.expect(still - held < 0.05 and 0 < after["time"] - still < 2.5 and after["audio"],
                  "hidden: the show stood at %.2f s, %.2f s later at %.2f s; shown again, it went on to %.2f s"
                  % (held, 1.5, still, after["time"]), page)
    for kind in ("keyDown", "keyUp"):
        page.send("Input.dispatchKeyEvent", {"type": kind, "key": "Escape", "code": "Escape",
                                             "windowsVirtualKeyCode": 27})
    try:
        page.wait_for("window.zpdemoStatus.ended && " + webshow.START_SHOWN, 20)
        checks.ok("Escape ended the show and the start button is back")
    except devtools.Timeout:
        checks.fail("Escape did not bring the start page back in 20 s", page)


def check_starts(checks, folder, isolation):
    what = "with the isolation headers" if isolation else "without the headers (service worker)"
    with Served(folder, isolation) as served, devtools.Browser() as browser:
        webshow.check_headers(checks, served, isolation)
        page = browser.page()
        webshow.start_show(page, served.page())
        state = webshow.status(page) or {}
        playing = state.get("webgl2") and state.get("audio") and state.get("precalcDone")
        checks.expect(playing, "%s: WebGL 2, audio running, precalc done%s" % (what, "" if playing else " (%s)" % state),
                      page)
        # Isolated by the headers, or else by the service worker after a reload.
        route = page.evaluate("crossOriginIsolated && !!navigator.serviceWorker.controller")
        checks.expect(page.evaluate("crossOriginIsolated") and route == (not isolation),
                      "%s: the page is cross-origin isolated, %s" % (what, "by its service worker" if route
                                                                     else "with no service worker"), page)
        plays(checks, page, what)
        webshow.clean(checks, page, what)
        if isolation:
            check_hidden_then_escape(checks, page)


def told(checks, page, what, expected):
    try:
        page.wait_for(ERROR_SHOWN, 60)
    except devtools.Timeout:
        checks.fail("%s: no message on the page in 60 s" % what, page)
        return
    text = webshow.error_text(page)
    checks.expect(expected in text, "%s: the page says \"%s\"" % (what, text), page)
    # The page still answers and threw nothing it did not catch.
    checks.expect(page.evaluate("1 + 1") == 2 and not page.exceptions(),
                  "%s: the page lives on, no uncaught exception" % what, page)


def broken_paks(folder, scratch):
    """Folders of the build's files with the pak missing, garbled, cut short."""
    with open(os.path.join(folder, webshow.PAK), "rb") as source:
        pak = source.read()
    garbage = random.Random(1).randbytes(len(pak))
    cases = {"missing": None, "garbage": garbage, "short": pak[:len(pak) // 2]}
    for name, content in cases.items():
        os.mkdir(os.path.join(scratch, name))
        for file in webshow.PAGE_FILES:
            os.symlink(os.path.join(folder, file), os.path.join(scratch, name, file))
        if content is not None:
            with open(os.path.join(scratch, name, webshow.PAK), "wb") as out:
                out.write(content)
    return {"the pak missing": "missing", "a pak of garbage": "garbage", "a pak cut short": "short"}


def check_bad_paks(checks, folder):
    scratch = tempfile.mkdtemp(prefix="zp-web-paks-")
    try:
        cases = broken_paks(folder, scratch)
        with Served(scratch) as served, devtools.Browser() as browser:
            page = browser.page()
            for what, sub in cases.items():
                webshow.open_page(page, served.url + sub + "/zpdemo.html")
                page.click("start")
                told(checks, page, what, PAK_MESSAGE)
    finally:
        shutil.rmtree(scratch)


def check_no_webgl2(checks, folder):
    with Served(folder) as served, devtools.Browser([devtools.NO_WEBGL2]) as browser:
        page = browser.page()
        checks.expect(page.evaluate("document.createElement('canvas').getContext('webgl2') === null"),
                      "the browser has no WebGL 2 (%s)" % devtools.NO_WEBGL2)
        page.navigate(served.page())
        told(checks, page, "no WebGL 2", "WebGL 2")


def check_visitor(checks, folder, show_seconds=10.0):
    """The unpacked release served by its own serve.py."""
    with Served(folder, script=os.path.join(folder, "serve.py")) as served, devtools.Browser() as browser:
        webshow.check_headers(checks, served)
        page = browser.page()
        webshow.start_show(page, served.page())
        page.wait_for("window.zpdemoStatus.time >= %f || %s" % (show_seconds, ERROR_SHOWN), 60 + 4 * show_seconds)
        state = webshow.status(page)
        checks.expect(state["time"] >= show_seconds, "%.1f s of show time played, %d frames"
                      % (state["time"], state["frames"]), page)
        plays(checks, page, "the release")
        webshow.clean(checks, page, "the release")


def main(argv):
    checks = Checks()
    if len(argv) == 2 and argv[0] == "--visitor":
        checks.run("The release, served by its own serve.py", check_visitor, argv[1])
    elif len(argv) == 1 and not argv[0].startswith("-"):
        folder = os.path.abspath(argv[0])
        missing = [f for f in webshow.PAGE_FILES + (webshow.PAK,) if not os.path.isfile(os.path.join(folder, f))]
        if missing:
            print("FAIL: %s lacks %s" % (folder, " ".join(missing)))
            return 1
        checks.run("The show starts, with the isolation headers", check_starts, folder, True)
        checks.run("The show starts, without the headers", check_starts, folder, False)
        checks.run("A bad pak is told", check_bad_paks, folder)
        checks.run("A browser without WebGL 2 is told", check_no_webgl2, folder)
    else:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    print("\n%s" % ("every check passed" if not checks.failures else "%d checks FAILED" % checks.failures))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
