#!/usr/bin/env python3
"""Serves the web version of zpdemo on this computer.

The page runs its show on several threads, which a browser allows only to a
cross-origin isolated page: this server sends the two headers that isolate
it (and marks every file as the page's own), the types browsers insist on
for .wasm and .js, and no caching, so a new build is never mixed with an old
one.

    python3 serve.py [--port N] [--no-isolation] [--bind ADDR] [DIR]

Then open the address it prints. DIR is this script's folder unless named.
"""

import argparse
import functools
import http.server
import os
import socket
import sys

ISOLATION_HEADERS = (
    ("Cross-Origin-Opener-Policy", "same-origin"),
    ("Cross-Origin-Embedder-Policy", "require-corp"),
    ("Cross-Origin-Resource-Policy", "same-origin"),
)

TYPES = {
    ".wasm": "application/wasm",
    ".js": "text/javascript",
    ".html": "text/html",
    ".dat": "application/octet-stream",
}


class ShowFiles(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    isolation = True

    def end_headers(self):
        if self.isolation:
            for name, value in ISOLATION_HEADERS:
                self.send_header(name, value)
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    # Only what went wrong reaches the terminal.
    def log_request(self, code="-", size="-"):
        if isinstance(code, int) and code >= 400:
            super().log_request(code, size)

    def log_message(self, format, *args):
        sys.stderr.write("%s\n" % (format % args))


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


class Server6(Server):
    address_family = socket.AF_INET6


def parse(argv):
    parser = argparse.ArgumentParser(description="Serves the web version of zpdemo.")
    parser.add_argument("--port", type=int, default=8000, help="port, 0 for a free one (default 8000)")
    parser.add_argument("--bind", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    parser.add_argument("--no-isolation", action="store_true",
                        help="send no isolation headers (the page then isolates itself through its service worker)")
    parser.add_argument("dir", nargs="?", default=os.path.dirname(os.path.abspath(__file__)),
                        help="folder to serve (default: this script's folder)")
    options = parser.parse_args(argv)
    if not 0 <= options.port <= 65535:
        parser.error("--port must be between 0 and 65535")
    if not os.path.isdir(options.dir):
        parser.error("%s is not a folder" % options.dir)
    return options


def page_address(host, port):
    # Browsers treat only the loopback address as secure over plain http,
    # and threads need a secure page.
    if host in ("", "0.0.0.0", "::"):
        host = "127.0.0.1"
    if ":" in host:
        host = "[%s]" % host
    return "http://%s:%d/zpdemo.html" % (host, port)


def main(argv=None):
    options = parse(sys.argv[1:] if argv is None else argv)
    folder = os.path.abspath(options.dir)
    handler = type("Handler", (ShowFiles,), {"isolation": not options.no_isolation})
    server_class = Server6 if ":" in options.bind else Server
    try:
        server = server_class((options.bind, options.port), functools.partial(handler, directory=folder))
    except OSError as error:
        sys.stderr.write("serve.py: cannot listen on %s port %d: %s\n" % (options.bind, options.port, error.strerror))
        return 1
    print("Serving %s at %s" % (folder, page_address(options.bind, server.server_address[1])), flush=True)
    if options.no_isolation:
        print("No isolation headers: the page isolates itself through its service worker.", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
