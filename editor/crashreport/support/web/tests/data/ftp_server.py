#!/usr/bin/env python3
"""An FTP server for the upload tests, on 127.0.0.1 only: one user with a
home folder, writes its port to --port-file once it listens and stops when
--stop-file appears or after --lifetime seconds."""
import argparse
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--home', required=True)
    parser.add_argument('--user', required=True)
    parser.add_argument('--password', required=True)
    parser.add_argument('--port-file', required=True)
    parser.add_argument('--stop-file', required=True)
    parser.add_argument('--lifetime', type=float, default=300)
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm='elradfmw')
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.masquerade_address = None
    handler.permit_foreign_addresses = False
    server = FTPServer(('127.0.0.1', 0), handler)
    with open(args.port_file + '.tmp', 'w') as f:
        f.write(str(server.address[1]))
    os.rename(args.port_file + '.tmp', args.port_file)
    end = time.time() + args.lifetime
    while not os.path.exists(args.stop_file) and time.time() < end:
        server.serve_forever(timeout=0.05, blocking=False)
    server.close_all()
    with open(args.port_file + '.stopped', 'w') as f:
        f.write('stopped')


if __name__ == '__main__':
    sys.exit(main())
