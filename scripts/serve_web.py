"""Serves the built web edition's site folder on the loopback address.

Usage: serve_web.py SITE PORT (SITE is build-web/site). A plain static
server; it makes sure the module goes out as application/wasm, which
browsers want for compiling it while it downloads, and lists no folder."""
import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json", ".svg": "image/svg+xml"}

    def list_directory(self, path):
        self.send_error(404, "No listing")
        return None


def main():
    directory, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(Handler, directory=directory)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        server.serve_forever()


if __name__ == "__main__":
    main()
