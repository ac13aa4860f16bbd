#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# `make serve`: the built page on loopback, with the Content-Security-Policy of its
# index.html sent as a header too, and the types a browser insists on for WebAssembly and
# the app manifest. Usage: serve-web.py SITE_DIR [PORT]  (port 0: any free one)
import functools
import http.server
import re
import sys


def policy_of(site):
    with open(f"{site}/index.html", encoding="utf-8") as page:
        found = re.search(r'http-equiv="Content-Security-Policy" content="([^"]+)"', page.read())
    if not found:
        sys.exit("serve-web: index.html has no Content-Security-Policy")
    # A frame's parent can be limited by a header only.
    return found.group(1) + "; frame-ancestors 'none'"


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".woff2": "font/woff2"}
    policy = ""

    def end_headers(self):
        self.send_header("Content-Security-Policy", self.policy)
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
    Handler.policy = policy_of(site)
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=site))
    print(f"Playing at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
