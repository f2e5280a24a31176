#!/usr/bin/env python3
"""The tests' SMTP peer on 127.0.0.1: records every connection's commands and
mail data verbatim and answers from a small script of refusals.

Files in --log-dir, for connection N (counted from 1):
  conn_N.cmd   every line received outside the mail data, as received
  conn_N.data  the mail data after DATA, up to and including CR LF . CR LF
Rules (--rule, repeatable): "N:PREFIX=CODE" or "*:PREFIX=CODE" answers CODE
to the first command of connection N (or of any) that begins with PREFIX
(case-insensitive); the prefix GREETING stands for the greeting.
"""
import argparse
import os
import socket
import threading
import time

DEFAULTS = [("HELO", 250), ("EHLO", 250), ("RSET", 250), ("AUTH LOGIN", 334), ("MAIL FROM:", 250),
            ("RCPT TO:", 250), ("DATA", 354), ("QUIT", 221), ("NOOP", 250)]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port-file", required=True)
    ap.add_argument("--stop-file", required=True)
    ap.add_argument("--log-dir", required=True)
    ap.add_argument("--rule", action="append", default=[])
    ap.add_argument("--lifetime", type=float, default=300)
    args = ap.parse_args()

    rules = []
    for r in args.rule:
        who, rest = r.split(":", 1)
        prefix, code = rest.rsplit("=", 1)
        rules.append([who, prefix.upper(), int(code), False])
    lock = threading.Lock()

    def scripted(conn_no, line):
        with lock:
            for rule in rules:
                who, prefix, code, used = rule
                if used or (who != "*" and int(who) != conn_no):
                    continue
                if line.upper().startswith(prefix):
                    if who != "*":
                        rule[3] = True
                    return code
        return None

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    listener.settimeout(0.1)
    counter = [0]

    def serve(conn, conn_no):
        cmd_path = os.path.join(args.log_dir, "conn_%d.cmd" % conn_no)
        data_path = os.path.join(args.log_dir, "conn_%d.data" % conn_no)
        open(cmd_path, "wb").close()
        conn.settimeout(60)

        def reply(code, text="ok"):
            conn.sendall(("%d %s\r\n" % (code, text)).encode())

        greeting = scripted(conn_no, "GREETING") or 220
        reply(greeting, "peer ready")
        if greeting != 220:
            pass
        pending = b""
        in_data = False
        data = b""
        auth_step = 0
        try:
            while True:
                chunk = conn.recv(65536)
                if not chunk:
                    break
                pending += chunk
                while True:
                    if in_data:
                        end = pending.find(b"\r\n.\r\n")
                        if end < 0:
                            break
                        data += pending[:end + 5]
                        pending = pending[end + 5:]
                        with open(data_path, "wb") as f:
                            f.write(data)
                        in_data = False
                        reply(scripted(conn_no, "END OF DATA") or 250, "queued")
                        continue
                    end = pending.find(b"\r\n")
                    if end < 0:
                        break
                    raw = pending[:end + 2]
                    pending = pending[end + 2:]
                    with open(cmd_path, "ab") as f:
                        f.write(raw)
                    line = raw[:-2].decode("latin-1")
                    code = scripted(conn_no, line)
                    if auth_step > 0 and code is None:
                        code = 334 if auth_step == 1 else 235
                        auth_step = 0 if auth_step == 2 else 2
                        reply(code)
                        continue
                    if code is None:
                        code = 500
                        for prefix, c in DEFAULTS:
                            if line.upper().startswith(prefix):
                                code = c
                                break
                        if line.upper().startswith("AUTH LOGIN"):
                            auth_step = 1
                    if line.upper() == "DATA" and code == 354:
                        in_data = True
                        data = b""
                    reply(code)
                    if line.upper() == "QUIT":
                        return
        except OSError:
            pass
        finally:
            conn.close()

    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(listener.getsockname()[1]))
    os.rename(args.port_file + ".tmp", args.port_file)
    start = time.time()
    while not os.path.exists(args.stop_file) and time.time() - start < args.lifetime:
        try:
            conn, _ = listener.accept()
        except socket.timeout:
            continue
        counter[0] += 1
        threading.Thread(target=serve, args=(conn, counter[0]), daemon=True).start()
    listener.close()
    with open(args.port_file + ".stopped", "w") as f:
        f.write("stopped")


if __name__ == "__main__":
    main()
