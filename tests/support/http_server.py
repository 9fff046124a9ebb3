#!/usr/bin/python3
"""A small HTTP server for the transfer tests, on 127.0.0.1 only.

Usage: http_server.py PORT
  /feed.xml      200 with a feed, and a cookie
  /cookie.xml    200 when the cookie from /feed.xml comes back, else 403
  /empty         204 with no body
  /moved         301 to /feed.xml
  /missing       404
  /broken        500
"""
import http.server
import sys

FEED = (b'<?xml version="1.0" encoding="UTF-8"?>\r\n<rss version="2.0"><channel><title>Served</title>'
        b'<link>http://127.0.0.1/</link><description>From the test server</description>'
        b'<item><title>One</title></item></channel></rss>\r\n')


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if body:
            self.wfile.write(body)

    def do_GET(self):
        agent = self.headers.get("User-Agent", "")
        if self.path == "/feed.xml":
            self.answer(200, FEED, [("Content-Type", "application/rss+xml"),
                                    ("Set-Cookie", "session=abc123; Path=/"),
                                    ("X-Seen-Agent", agent)])
        elif self.path == "/cookie.xml":
            ok = "session=abc123" in self.headers.get("Cookie", "")
            self.answer(200 if ok else 403, FEED if ok else b"no cookie")
        elif self.path == "/headers":
            text = "\n".join(f"{k}: {v}" for k, v in self.headers.items()).encode()
            self.answer(200, text)
        elif self.path == "/empty":
            self.answer(204)
        elif self.path == "/moved":
            self.answer(301, b"", [("Location", "/feed.xml")])
        elif self.path == "/missing":
            self.answer(404, b"not here")
        else:
            self.answer(500, b"broken")

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
    server.serve_forever()
