#!/usr/bin/env python3
"""Serves the browser game's site (a folder of static files) on this machine only.

    scripts/web_serve.py SITE_FOLDER [PORT]

With KALVITOR_SERVE_LOG=FILE every path served is added to FILE, a line each
(benchmarks count what went over the wire, the audio worklet's fetches too).
"""
import functools
import http.server
import os
import sys

LOG = os.environ.get("KALVITOR_SERVE_LOG")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".data": "application/octet-stream",
        ".opus": "audio/ogg",
        ".wav": "audio/wav",
    }

    def end_headers(self):
        # A new build is seen at the next load.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def do_GET(self):
        super().do_GET()
        if LOG:
            with open(LOG, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")

    def log_message(self, *args):
        pass


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    handler = functools.partial(Handler, directory=site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"web: the game is at http://127.0.0.1:{port}/ (Ctrl+C ends)", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
