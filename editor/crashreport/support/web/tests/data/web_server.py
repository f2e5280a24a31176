#!/usr/bin/env python3
"""A scripted web server for the web road's tests, on 127.0.0.1 only.

It answers from a site script (routes of canned pages, see site_script()
below), records every request raw in the log folder (req_0001.txt, ...),
writes its port to --port-file once it listens and stops when --stop-file
appears or after --lifetime seconds, writing --port-file + ".stopped".
"""
import argparse
import http.server
import os
import ssl
import sys
import threading
import time
import urllib.parse


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == '\\' and i + 1 < len(text):
            out.append({'r': '\r', 'n': '\n', 't': '\t', '\\': '\\'}.get(text[i + 1], '\\' + text[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def site_script(path):
    """Routes: '== METHOD DOCUMENT [name=value ...]', a status line, header
    lines, an empty line and the body up to the next route (lines joined by
    LF, backslash escapes \\r \\n \\t decoded). '@include NAME' reads another
    script of the same folder in its place. '#' starts a comment line
    outside bodies."""
    routes = []
    own = []  # the routes of this file; included ones come finished
    folder = os.path.dirname(path)
    with open(path, encoding='latin-1') as f:
        lines = f.read().split('\n')
    route = None
    state = None
    for line in lines:
        if line.startswith('== '):
            parts = line[3:].split()
            route = {'method': parts[0], 'document': parts[1].lower(),
                     'when': [p.split('=', 1) for p in parts[2:]],
                     'status': None, 'headers': [], 'body': []}
            routes.append(route)
            own.append(route)
            state = 'status'
        elif route is None or state is None:
            if line.startswith('@include '):
                routes.extend(site_script(os.path.join(folder, line[9:].strip())))
        elif state == 'status':
            code, _, reason = line.partition(' ')
            route['status'] = (int(code), reason)
            state = 'headers'
        elif state == 'headers':
            if line == '':
                state = 'body'
            else:
                name, _, value = line.partition(':')
                route['headers'].append((name.strip(), value.strip()))
        else:
            if line.startswith('@include '):
                state = None
                routes.extend(site_script(os.path.join(folder, line[9:].strip())))
            else:
                route['body'].append(line)
    for r in own:
        r['body'] = unescape('\n'.join(r['body']).rstrip('\n'))
    return routes


def multipart_fields(body, boundary):
    fields = []
    delimiter = b'--' + boundary
    for chunk in body.split(delimiter)[1:]:
        if chunk.startswith(b'--'):
            break
        head, _, content = chunk[2:].partition(b'\r\n\r\n')
        if content.endswith(b'\r\n'):
            content = content[:-2]
        head = head.decode('latin-1')
        key = 'form-data; name="'
        at = head.find(key)
        if at >= 0:
            name = head[at + len(key):].split('"', 1)[0]
            fields.append((name, content.decode('latin-1')))
    return fields


def request_fields(target, content_type, body):
    fields = urllib.parse.parse_qsl(urllib.parse.urlsplit(target).query, keep_blank_values=True,
                                    encoding='latin-1')
    if content_type.startswith('application/x-www-form-urlencoded'):
        fields += urllib.parse.parse_qsl(body.decode('latin-1'), keep_blank_values=True, encoding='latin-1')
    elif content_type.startswith('multipart/form-data'):
        boundary = content_type.split('boundary=', 1)[1].strip().encode('latin-1')
        fields += multipart_fields(body, boundary)
    return fields


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'
    routes = []
    log_dir = '.'
    counter = [0]
    lock = threading.Lock()

    def log_message(self, *args):
        pass

    def handle_any(self):
        length = int(self.headers.get('Content-Length') or 0)
        sys.stderr.write('%s %s (%d bytes)\n' % (self.command, self.path, length))
        sys.stderr.flush()
        body = self.rfile.read(length) if length else b''
        with Handler.lock:
            Handler.counter[0] += 1
            n = Handler.counter[0]
        raw = (self.command + ' ' + self.path + '\n').encode('latin-1')
        for name, value in self.headers.items():
            raw += (name + ': ' + value + '\n').encode('latin-1')
        raw += b'\n' + body
        tmp = os.path.join(Handler.log_dir, 'req_%04d.tmp' % n)
        with open(tmp, 'wb') as f:
            f.write(raw)
        os.rename(tmp, os.path.join(Handler.log_dir, 'req_%04d.txt' % n))

        document = urllib.parse.urlsplit(self.path).path.rsplit('/', 1)[-1].lower()
        fields = dict()
        for name, value in request_fields(self.path, self.headers.get('Content-Type') or '', body):
            fields.setdefault(name, value)
        for route in Handler.routes:
            if route['method'] not in (self.command, 'ANY') or route['document'] != document:
                continue
            if all(fields.get(name) == value for name, value in route['when']):
                self.answer(route['status'], route['headers'], route['body'])
                return
        self.answer((404, 'Not Found'), [], 'no route')

    def answer(self, status, headers, body):
        data = body.encode('latin-1')
        self.send_response(status[0], status[1])
        for name, value in headers:
            self.send_header(name, value)
        self.send_header('Content-Length', str(len(data)))
        # One request per connection: a test's client never finds a
        # connection of an earlier server in its pool.
        self.send_header('Connection', 'close')
        self.close_connection = True
        self.end_headers()
        self.wfile.write(data)

    do_GET = do_POST = do_PUT = handle_any


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--script', required=True)
    parser.add_argument('--log-dir', required=True)
    parser.add_argument('--port-file', required=True)
    parser.add_argument('--stop-file', required=True)
    parser.add_argument('--cert')
    parser.add_argument('--key')
    parser.add_argument('--lifetime', type=float, default=300)
    args = parser.parse_args()

    Handler.routes = site_script(args.script)
    Handler.log_dir = args.log_dir
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
    server.daemon_threads = True
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    with open(args.port_file + '.tmp', 'w') as f:
        f.write(str(server.server_address[1]))
    os.rename(args.port_file + '.tmp', args.port_file)
    thread = threading.Thread(target=server.serve_forever, kwargs={'poll_interval': 0.1}, daemon=True)
    thread.start()
    end = time.time() + args.lifetime
    while not os.path.exists(args.stop_file) and time.time() < end:
        time.sleep(0.05)
    server.shutdown()
    server.server_close()
    with open(args.port_file + '.stopped', 'w') as f:
        f.write('stopped')


if __name__ == '__main__':
    sys.exit(main())
