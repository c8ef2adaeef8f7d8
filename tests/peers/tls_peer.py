#!/usr/bin/env python3
"""A scripted POP3 peer over TLS that writes down every line it receives,
for the tests of refused certificates: what a refused client sent can be
seen, down to the last byte.

  tls_peer.py start DIR CERTS   start in the background; DIR/trusted_port
                                serves CERTS/server.crt (the private
                                authority's, for "localhost"),
                                DIR/untrusted_port CERTS/untrusted.crt
  tls_peer.py stop DIR          stop the peer started in DIR (by its PID)

Each connection is greeted with "+OK peer ready" after the handshake and
each line it receives is answered "+OK" (QUIT ends it). Every received
line is appended to DIR/received as "PORTNAME LINE". Listens on
127.0.0.1 only, on free ports.
"""
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time


def serve_connection(raw, context, name, log_path, lock):
    try:
        conn = context.wrap_socket(raw, server_side=True)
    except (ssl.SSLError, OSError):
        raw.close()
        return
    try:
        conn.sendall(b"+OK peer ready\r\n")
        reader = conn.makefile("rb")
        for line in reader:
            with lock, open(log_path, "ab") as log:
                log.write(name.encode() + b" " + line.rstrip(b"\r\n") + b"\n")
            conn.sendall(b"+OK\r\n")
            if line.upper().startswith(b"QUIT"):
                break
    except (ssl.SSLError, OSError):
        pass
    finally:
        conn.close()


def listen(context, name, log_path, lock, ready):
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    ready[name] = server.getsockname()[1]
    while True:
        raw, _ = server.accept()
        threading.Thread(target=serve_connection, args=(raw, context, name, log_path, lock), daemon=True).start()


def serve(folder, certs):
    lock = threading.Lock()
    log_path = os.path.join(folder, "received")
    open(log_path, "wb").close()
    ready = {}
    for name, cert in (("trusted", "server"), ("untrusted", "untrusted")):
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.minimum_version = ssl.TLSVersion.TLSv1_2
        context.load_cert_chain(os.path.join(certs, cert + ".crt"), os.path.join(certs, cert + ".key"))
        threading.Thread(target=listen, args=(context, name, log_path, lock, ready), daemon=True).start()
    while len(ready) < 2:
        time.sleep(0.01)
    for name, port in ready.items():
        with open(os.path.join(folder, name + "_port"), "w") as f:
            f.write("%d\n" % port)
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write("%d\n" % os.getpid())
    signal.sigwait({signal.SIGTERM})


def start(folder, certs):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    for name in ("pid", "trusted_port", "untrusted_port"):
        if os.path.exists(os.path.join(folder, name)):
            os.remove(os.path.join(folder, name))
    signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGTERM})
    subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder, certs],
                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=open(os.path.join(folder, "log"), "ab"),
                     start_new_session=True)
    for _ in range(200):
        if os.path.exists(os.path.join(folder, "pid")):
            print(open(os.path.join(folder, "trusted_port")).read().strip(),
                  open(os.path.join(folder, "untrusted_port")).read().strip())
            return 0
        time.sleep(0.05)
    sys.stderr.write("tls_peer.py: the peer did not start (see %s/log)\n" % folder)
    return 1


def stop(folder):
    try:
        pid = int(open(os.path.join(folder, "pid")).read())
    except (OSError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            os.kill(pid, 0)
            time.sleep(0.05)
    except ProcessLookupError:
        pass
    os.remove(os.path.join(folder, "pid"))
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "start":
        sys.exit(start(os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])))
    if len(sys.argv) == 4 and sys.argv[1] == "serve":
        serve(sys.argv[2], sys.argv[3])
        sys.exit(0)
    if len(sys.argv) == 3 and sys.argv[1] == "stop":
        sys.exit(stop(os.path.abspath(sys.argv[2])))
    sys.stderr.write(__doc__)
    sys.exit(2)
