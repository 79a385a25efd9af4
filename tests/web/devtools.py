"""A small client of the browser's DevTools protocol, for the web tests.

Headless Chromium talks over --remote-debugging-pipe: it reads commands on
its fd 3 and writes answers and events on its fd 4, each a JSON object ended
by a NUL byte. One page is attached (flat sessions); its console and its
uncaught exceptions are collected for the report of a failing test.

    with Browser() as browser:
        page = browser.page()
        page.navigate(url)
        page.wait_for("window.zpdemoStatus !== undefined", 30)
        page.click("start")

Chromium is always killed on leaving the `with`, also on a failure.
"""

import base64
import fcntl
import json
import os
import queue
import shutil
import signal
import subprocess
import tempfile
import threading
import time

CHROMIUM = os.environ.get("ZP_CHROMIUM", "chromium")

# Software WebGL (SwiftShader) in a browser with no window, and sound
# allowed without a gesture so that a headless run is never silent for want
# of one (the page's own click is still a real one).
FLAGS = [
    "--headless=new",
    "--no-sandbox",
    "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader",
    "--autoplay-policy=no-user-gesture-required",
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--mute-audio",
    "--window-size=1024,768",
    "--remote-debugging-pipe",
]

# The switch that takes WebGL 2 away and leaves WebGL 1.
NO_WEBGL2 = "--disable-webgl2"


class DevToolsError(Exception):
    page = None  # the page it befell, whose console a report shows


class Timeout(DevToolsError):
    pass


class Browser:
    def __init__(self, extra_flags=(), command_timeout=60.0):
        self.extra_flags = list(extra_flags)
        self.command_timeout = command_timeout
        self.process = None
        self.profile = None
        self.next_id = 0
        self.waiting = {}
        self.lock = threading.Lock()
        self.listeners = []
        self.closed = threading.Event()

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self):
        self.profile = tempfile.mkdtemp(prefix="zp-chromium-")
        to_browser_r, to_browser_w = os.pipe()
        from_browser_r, from_browser_w = os.pipe()

        def place_pipes():
            # By way of numbers above 10, so that neither end overwrites the other.
            read_end = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            write_end = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        command = [CHROMIUM, *FLAGS, *self.extra_flags, "--user-data-dir=" + self.profile, "about:blank"]
        self.log_file = open(os.path.join(self.profile, "chromium.log"), "w+")
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=self.log_file,
                                        stderr=subprocess.STDOUT, preexec_fn=place_pipes, pass_fds=(3, 4),
                                        start_new_session=True)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.writer = os.fdopen(to_browser_w, "wb", buffering=0)
        self.reader = threading.Thread(target=self._read, args=(os.fdopen(from_browser_r, "rb", buffering=0),),
                                       daemon=True)
        self.reader.start()

    def close(self):
        if self.process is None:
            return
        try:
            if self.process.poll() is None:
                self.send("Browser.close", timeout=5)
        except DevToolsError:
            pass
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            pass
        # The whole session: the browser and its helper processes.
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        self.process = None
        try:
            self.writer.close()
        except OSError:
            pass
        self.log_file.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def browser_log(self):
        self.log_file.flush()
        self.log_file.seek(0)
        return self.log_file.read()

    def _read(self, stream):
        buffer = b""
        while True:
            chunk = stream.read(1 << 16)
            if not chunk:
                break
            buffer += chunk
            while b"\0" in buffer:
                message, buffer = buffer.split(b"\0", 1)
                self._dispatch(json.loads(message))
        self.closed.set()
        with self.lock:
            for answer in self.waiting.values():
                answer.put({"error": {"message": "the browser closed the connection"}})

    def _dispatch(self, message):
        if "id" in message:
            with self.lock:
                answer = self.waiting.pop(message["id"], None)
            if answer:
                answer.put(message)
            return
        for listener in list(self.listeners):
            listener(message)

    def send(self, method, params=None, session=None, timeout=None):
        with self.lock:
            if self.closed.is_set():
                raise DevToolsError("%s: the browser is gone" % method)
            self.next_id += 1
            message = {"id": self.next_id, "method": method, "params": params or {}}
            if session:
                message["sessionId"] = session
            answer = queue.Queue()
            self.waiting[self.next_id] = answer
        try:
            self.writer.write(json.dumps(message).encode() + b"\0")
        except OSError as error:
            raise DevToolsError("%s: the browser is gone (%s)" % (method, error)) from None
        try:
            reply = answer.get(timeout=timeout or self.command_timeout)
        except queue.Empty:
            raise Timeout("%s: no answer in %.0f s" % (method, timeout or self.command_timeout)) from None
        if "error" in reply:
            raise DevToolsError("%s: %s" % (method, reply["error"].get("message")))
        return reply.get("result", {})

    def page(self):
        targets = self.send("Target.getTargets")["targetInfos"]
        pages = [t for t in targets if t["type"] == "page"]
        if not pages:
            raise DevToolsError("the browser has no page")
        session = self.send("Target.attachToTarget", {"targetId": pages[0]["targetId"], "flatten": True})["sessionId"]
        return Page(self, session)


class Page:
    def __init__(self, browser, session):
        self.browser = browser
        self.session = session
        self.messages = []
        browser.listeners.append(self._listen)
        for domain in ("Runtime", "Page", "Log", "Inspector"):
            self.send(domain + ".enable")
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False})

    def send(self, method, params=None, timeout=None):
        try:
            return self.browser.send(method, params, self.session, timeout)
        except DevToolsError as error:
            error.page = self
            raise

    def _listen(self, message):
        if message.get("sessionId") != self.session:
            return
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(arg.get("value", arg.get("description", ""))) for arg in params.get("args", []))
            self.messages.append("console.%s: %s" % (params.get("type"), text))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            self.messages.append("EXCEPTION: %s" % text)
        elif method == "Inspector.targetCrashed":
            self.messages.append("EXCEPTION: the page crashed")
        elif method == "Log.entryAdded":
            entry = params["entry"]
            self.messages.append("log.%s: %s %s" % (entry.get("level"), entry.get("text"), entry.get("url", "")))

    def exceptions(self):
        return [m for m in self.messages if m.startswith("EXCEPTION")]

    def navigate(self, url, timeout=30):
        self.messages.clear()
        result = self.send("Page.navigate", {"url": url})
        if result.get("errorText"):
            raise DevToolsError("cannot open %s: %s" % (url, result["errorText"]))
        self.wait_for("document.readyState === 'complete'", timeout)

    def evaluate(self, expression, timeout=None):
        """The value of a JS expression (awaited where it is a promise)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise DevToolsError("%s: %s" % (expression, details.get("exception", {}).get("description")
                                            or details.get("text")))
        return result["result"].get("value")

    def wait_for(self, condition, timeout, interval=0.25):
        """Polls a JS condition until it is true; a page that is being
        replaced (a reload) counts as not yet."""
        deadline = time.monotonic() + timeout
        last_error = None
        while time.monotonic() < deadline:
            try:
                if self.evaluate(condition, timeout=max(1.0, deadline - time.monotonic())):
                    return
                last_error = None
            except Timeout:
                break
            except DevToolsError as error:
                if self.browser.closed.is_set():
                    raise
                last_error = error
            time.sleep(interval)
        error = Timeout("not true after %.0f s: %s%s" % (timeout, condition,
                                                          " (%s)" % last_error if last_error else ""))
        error.page = self
        raise error

    def click(self, element_id):
        """A real left click at the centre of the element: a user gesture."""
        box = self.evaluate("(() => { const e = document.getElementById(%s); if (!e) return null;"
                            " const r = e.getBoundingClientRect();"
                            " return {x: r.left + r.width / 2, y: r.top + r.height / 2, w: r.width, h: r.height}; })()"
                            % json.dumps(element_id))
        if not box or box["w"] == 0 or box["h"] == 0:
            error = DevToolsError("#%s is %s" % (element_id, "not shown" if box else "not on the page"))
            error.page = self
            raise error
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": box["x"], "y": box["y"],
                                                   "button": "none" if kind == "mouseMoved" else "left",
                                                   "clickCount": 0 if kind == "mouseMoved" else 1})

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def report(self):
        """The page's console and exceptions, for a failure's message."""
        return "\n".join("    " + m for m in self.messages[-60:]) or "    (the page printed nothing)"
