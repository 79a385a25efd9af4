"""What the web tests share: the build's files served by the shipped
serve.py, the show's page driven through DevTools, and the tally of checks.

The page's contract: a button #start, an element #error shown only with a
message, and window.zpdemoStatus (webgl2, audio, precalcDone, time, frames,
startedAt, firstProgressFrameAt, audioTime, ended)."""

import os
import re
import select
import subprocess
import sys
import time
import urllib.request

import devtools

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SERVE_PY = os.path.join(ROOT, "demo", "web", "serve.py")
PAGE_FILES = ("zpdemo.html", "zpdemo.js", "zpdemo.wasm", "zpdemo.worker.js", "zpdemo-isolation.js")
PAK = "zplumenweaver.dat"

ERROR_SHOWN = ("(e => !!e && !e.hidden && e.getClientRects().length > 0"
               " && getComputedStyle(e).visibility !== 'hidden' && e.textContent.trim() !== '')"
               "(document.getElementById('error'))")
START_SHOWN = ("(e => !!e && !e.disabled && e.getClientRects().length > 0)(document.getElementById('start'))")
STATUS = "window.zpdemoStatus ? Object.assign({}, window.zpdemoStatus) : null"


class Served:
    """A folder served by serve.py on a free port, for a `with` block."""

    def __init__(self, folder, isolation=True, script=SERVE_PY):
        self.command = [sys.executable, script, "--port", "0", folder]
        if not isolation:
            self.command.insert(2, "--no-isolation")

    def __enter__(self):
        self.process = subprocess.Popen(self.command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], 10)
        line = self.process.stdout.readline() if ready else ""
        match = re.match(r"Serving .* at (http://\S+/)zpdemo\.html$", line.strip())
        if not match:
            self.__exit__()
            raise RuntimeError("serve.py did not say where it serves: %r %s" % (line, self.process.stderr.read()))
        self.url = match.group(1)
        return self

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()
        return False

    def page(self, query=""):
        return self.url + "zpdemo.html" + query


class Checks:
    """Counts failures; a failing check prints the page's console."""

    def __init__(self):
        self.failures = 0

    def ok(self, message):
        print("ok: " + message, flush=True)

    def fail(self, message, page=None):
        self.failures += 1
        print("FAIL: " + message, flush=True)
        if page is not None:
            print("  the page said:\n" + page.report(), flush=True)

    def expect(self, condition, message, page=None):
        if condition:
            self.ok(message)
        else:
            self.fail(message, page)
        return condition

    def run(self, name, test, *args):
        """Runs one test; a browser that does not answer or a condition
        that never comes true fails it with the page's console."""
        print("\n-- %s" % name, flush=True)
        started = time.monotonic()
        try:
            test(self, *args)
        except (devtools.DevToolsError, RuntimeError, OSError) as error:
            self.fail("%s: %s" % (name, error), getattr(error, "page", None))
        print("   (%.1f s)" % (time.monotonic() - started), flush=True)


ISOLATION = {"Cross-Origin-Opener-Policy": "same-origin", "Cross-Origin-Embedder-Policy": "require-corp"}
TYPES = {"zpdemo.html": "text/html", "zpdemo.js": "text/javascript", "zpdemo.wasm": "application/wasm"}


def check_headers(checks, served, isolation=True):
    """The types, no caching, and the isolation headers or none of them."""
    problems = []
    for file, kind in TYPES.items():
        with urllib.request.urlopen(served.url + file, timeout=10) as response:
            headers = response.headers
        expected = {"Content-Type": kind, "Cache-Control": "no-store"}
        expected.update({name: value if isolation else None for name, value in ISOLATION.items()})
        problems += ["%s: %s %s" % (file, name, headers.get(name)) for name, value in expected.items()
                     if headers.get(name) != value and not (value and headers.get(name, "").startswith(value + ";"))]
    checks.expect(not problems, "the server's headers: %s" % ("; ".join(problems) or "the types, no-store, %s"
                                                               % ("isolation" if isolation else "no isolation")))


def status(page):
    return page.evaluate(STATUS)


def error_text(page):
    return page.evaluate("document.getElementById('error') ? document.getElementById('error').textContent.trim() : ''")


def open_page(page, url, timeout=60):
    """Loads the page and waits for its start button, through the one
    reload the page makes to isolate itself where the server does not."""
    page.navigate(url)
    page.wait_for("crossOriginIsolated && " + START_SHOWN + " || " + ERROR_SHOWN, timeout)


def start_show(page, url, timeout=120):
    """Opens the page, clicks start and waits until the show plays: WebGL 2,
    a running audio context and the precalc done."""
    open_page(page, url)
    page.click("start")
    page.wait_for("(s => s && s.webgl2 && s.audio && s.precalcDone)(window.zpdemoStatus) || " + ERROR_SHOWN, timeout)


def clean(checks, page, what):
    """No message on the page and no uncaught exception."""
    shown = page.evaluate(ERROR_SHOWN)
    checks.expect(not shown, "%s: no error shown%s" % (what, " (it says: %s)" % error_text(page) if shown else ""),
                  page if shown else None)
    exceptions = page.exceptions()
    checks.expect(not exceptions, "%s: no exception on the page%s" % (what, ": " + exceptions[0] if exceptions else ""),
                  page if exceptions else None)
