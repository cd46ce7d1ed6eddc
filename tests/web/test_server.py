#!/usr/bin/env python3
"""test_server.py PAGE_DIR HARNESS_DIR OUT_DIR: serves the page's files and
the test harness on 127.0.0.1 only, at a port the system chooses, printed on
standard output as the first line. Each POST to /report/NAME appends its
body to OUT_DIR/NAME. Runs until it is terminated."""
import http.server
import os
import sys

page_dir, harness_dir, out_dir = sys.argv[1:4]


class Handler(http.server.SimpleHTTPRequestHandler):
    def translate_path(self, path):
        name = os.path.basename(path.split('?', 1)[0]) or 'index.html'
        if os.path.exists(os.path.join(harness_dir, name)):
            return os.path.join(harness_dir, name)
        return os.path.join(page_dir, name)

    def do_POST(self):
        name = os.path.basename(self.path)
        if not self.path.startswith('/report/') or name in ('', '.', '..'):
            self.send_error(404)
            return
        body = self.rfile.read(int(self.headers.get('Content-Length', 0)))
        with open(os.path.join(out_dir, name), 'ab') as out:
            out.write(body)
        self.send_response(204)
        self.end_headers()

    def log_message(self, format, *args):
        pass


Handler.extensions_map['.wasm'] = 'application/wasm'
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
