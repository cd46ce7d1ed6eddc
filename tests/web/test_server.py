#!/usr/bin/env python3
"""test_server.py PAGE_DIR HARNESS_JS OUT_DIR [POLICY]: serves the page's files on
127.0.0.1 only, at a port the system chooses, printed on standard output as
the first line. index.html is served with HARNESS_JS loaded before the show's
script. Each POST to /report/NAME appends its body to OUT_DIR/NAME, from this
server's pages or from a page opened as a file; each file asked for and not
found is noted in OUT_DIR/missing. With POLICY every answer carries it as
its Content-Security-Policy. Runs until terminated."""
import http.server
import os
import sys

page_dir, harness_js, out_dir = sys.argv[1:4]
policy = sys.argv[4] if len(sys.argv) > 4 else ''

SHOW_SCRIPT = b'<script src="starwhirl.js"'


def append(name, body):
    with open(os.path.join(out_dir, name), 'ab') as out:
        out.write(body)


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        name = os.path.basename(self.path.split('?', 1)[0]) or 'index.html'
        if name == 'harness.js':
            with open(harness_js, 'rb') as f:
                return self.reply(f.read(), 'text/javascript')
        path = os.path.join(page_dir, name)
        if not os.path.isfile(path):
            append('missing', (name + '\n').encode())
            return self.send_error(404)
        with open(path, 'rb') as f:
            body = f.read()
        if name == 'index.html':
            if SHOW_SCRIPT not in body:
                append('errors', b'index.html does not load starwhirl.js as expected\n')
            body = body.replace(SHOW_SCRIPT, b'<script src="harness.js"></script>' + SHOW_SCRIPT)
        self.reply(body, self.guess_type(path))

    def reply(self, body, content_type):
        self.send_response(200)
        self.send_header('Content-Type', content_type)
        self.send_header('Content-Length', str(len(body)))
        if policy:
            self.send_header('Content-Security-Policy', policy)
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        name = os.path.basename(self.path)
        if not self.path.startswith('/report/') or name in ('', '.', '..'):
            return self.send_error(404)
        append(name, self.rfile.read(int(self.headers.get('Content-Length', 0))))
        self.send_response(204)
        # A page opened as a file has no origin of its own ("null").
        self.send_header('Access-Control-Allow-Origin', '*')
        self.end_headers()

    def log_message(self, format, *args):
        pass


Handler.extensions_map['.wasm'] = 'application/wasm'
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
