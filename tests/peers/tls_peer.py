#!/usr/bin/env python3
"""Scripted POP3 and SMTP peers over TLS that write down every line they
receive, for the tests of refused certificates and hostile servers: what
a refused client sent can be seen, down to the last line.

  tls_peer.py start DIR CERTS   start in the background; DIR/NAME_port
                                holds the port of each peer NAME below,
                                DIR/CERT.sha256 each certificate's
                                fingerprint
  tls_peer.py stop DIR          stop the peers started in DIR (by PID)

Each peer is a certificate (CERTS/CERT.pem with CERTS/CERT.key, made by
tls_certs.sh) and a way to talk. For every certificate there are four
peers, one a way: CERT (POP3, TLS from the first byte), CERT-stls (POP3,
plain greeting, then STLS), CERT-smtps (SMTP, TLS from the first byte) and
CERT-starttls (SMTP, EHLO, then STARTTLS). The upgrades are hostile: the
answer to STLS and STARTTLS is followed, in the same packet, by a line a
client must never read as the server's (a refusal, so a client that reads
it fails). Two more peers never finish a handshake: "silent" says nothing
at all and "drip" sends a byte every 200 ms. And "revoked" (POP3, TLS from
the first byte) has a certificate of the private authority that names,
as the place of its authority's revocation list, this peer's own web
server (DIR/crl_port), whose list names that certificate as revoked;
each fetch of the list is written down as "crl GET /ca.crl".

Every line received is appended to DIR/received as "NAME LINE", the lines
before an upgrade too. Listens on 127.0.0.1 only, on free ports.
"""
import os
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time

import peer_process

CERTIFICATES = ("server", "untrusted", "partial", "notca", "expired", "notyet", "wrongname")
INJECTED_POP3 = b"-ERR injected before the handshake\r\n"
INJECTED_SMTP = b"554 injected before the handshake\r\n"


class Log:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        open(path, "wb").close()

    def line(self, name, line):
        with self.lock, open(self.path, "ab") as log:
            log.write(name.encode() + b" " + line.rstrip(b"\r\n") + b"\n")


def lines(conn, name, log):
    """Yields each line the client sends, logged."""
    reader = conn.makefile("rb")
    for line in reader:
        log.line(name, line)
        yield line


def pop3_session(conn, name, log):
    for line in lines(conn, name, log):
        conn.sendall(b"+OK\r\n")
        if line.upper().startswith(b"QUIT"):
            return


def smtp_session(conn, name, log, offer):
    in_data = False
    received = lines(conn, name, log)
    for line in received:
        if in_data:
            if line in (b".\r\n", b".\n"):
                in_data = False
                conn.sendall(b"250 queued\r\n")
            continue
        word = line.split(b" ")[0].strip().upper()
        if word == b"EHLO":
            conn.sendall(b"250-peer\r\n" + offer + b"250 AUTH LOGIN\r\n")
        elif word == b"AUTH":
            conn.sendall(b"334 VXNlcm5hbWU6\r\n")
            next(received)
            conn.sendall(b"334 UGFzc3dvcmQ6\r\n")
            next(received)
            conn.sendall(b"235 ok\r\n")
        elif word == b"DATA":
            in_data = True
            conn.sendall(b"354 go on\r\n")
        elif word == b"QUIT":
            conn.sendall(b"221 bye\r\n")
            return
        elif word == b"STARTTLS":
            return line
        else:
            conn.sendall(b"250 ok\r\n")


def serve_connection(raw, context, name, way, log):
    conn = raw
    try:
        if way == "silent":
            raw.recv(1 << 16)  # the client's first handshake message, never answered
            time.sleep(30)
            return
        if way == "drip":
            raw.recv(1 << 16)
            for _ in range(300):
                raw.sendall(b"\x16")
                time.sleep(0.2)
            return
        if way == "pop3":
            conn = context.wrap_socket(raw, server_side=True)
            conn.sendall(b"+OK peer ready\r\n")
            pop3_session(conn, name, log)
        elif way == "stls":
            raw.sendall(b"+OK peer ready\r\n")
            for line in lines(raw, name, log):
                if line.upper().startswith(b"STLS"):
                    raw.sendall(b"+OK begin TLS\r\n" + INJECTED_POP3)
                    conn = context.wrap_socket(raw, server_side=True)
                    pop3_session(conn, name, log)
                    return
                raw.sendall(b"+OK\r\n")
        elif way == "smtps":
            conn = context.wrap_socket(raw, server_side=True)
            conn.sendall(b"220 peer ready\r\n")
            smtp_session(conn, name, log, b"")
        elif way == "starttls":
            raw.sendall(b"220 peer ready\r\n")
            if smtp_session(raw, name, log, b"250-STARTTLS\r\n"):
                raw.sendall(b"220 ready\r\n" + INJECTED_SMTP)
                conn = context.wrap_socket(raw, server_side=True)
                smtp_session(conn, name, log, b"")
    except (ssl.SSLError, OSError):
        pass
    finally:
        conn.close()


def listen(context, name, way, log, ready):
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    ready[name] = server.getsockname()[1]
    while True:
        raw, _ = server.accept()
        threading.Thread(target=serve_connection, args=(raw, context, name, way, log), daemon=True).start()


def revocation_list(folder, certs, log):
    """Serves DIR/ca.crl over HTTP and issues DIR/revoked.pem, a
    certificate that the list revokes and that names the list's address."""
    import http.server

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=folder, **kwargs)

        def log_message(self, *args):
            log.line("crl", ("GET " + self.path).encode())

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    port = server.server_address[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()

    work = os.path.join(folder, "revocation")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "issued"))
    for name in ("ca.cnf", "ca.crt", "ca.key"):
        shutil.copy(os.path.join(certs, name), work)
    open(os.path.join(work, "index.txt"), "w").close()
    with open(os.path.join(work, "serial"), "w") as f:
        f.write("5000\n")
    with open(os.path.join(work, "crl.ext"), "w") as f:
        f.write("[revocable]\nsubjectAltName = DNS:localhost\nextendedKeyUsage = serverAuth\n"
                "basicConstraints = CA:FALSE\ncrlDistributionPoints = URI:http://127.0.0.1:%d/ca.crl\n" % port)

    def openssl(*args):
        subprocess.run(["openssl"] + list(args), cwd=work, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "revoked.key", "-out", "revoked.csr",
            "-subj", "/O=Mail tests/CN=localhost")
    openssl("ca", "-batch", "-config", "ca.cnf", "-cert", "ca.crt", "-keyfile", "ca.key", "-in", "revoked.csr",
            "-out", "revoked.crt", "-notext", "-days", "30", "-extfile", "crl.ext", "-extensions", "revocable")
    openssl("ca", "-config", "ca.cnf", "-cert", "ca.crt", "-keyfile", "ca.key", "-revoke", "revoked.crt")
    openssl("ca", "-gencrl", "-config", "ca.cnf", "-cert", "ca.crt", "-keyfile", "ca.key", "-crldays", "30",
            "-out", "ca.crl.pem")
    openssl("crl", "-in", "ca.crl.pem", "-outform", "der", "-out", os.path.join(folder, "ca.crl"))
    with open(os.path.join(folder, "crl_port"), "w") as f:
        f.write("%d\n" % port)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.minimum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(os.path.join(work, "revoked.crt"), os.path.join(work, "revoked.key"))
    return context


def peers(certs):
    """(name, TLS context, way to talk) of every peer."""
    for cert in CERTIFICATES:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.minimum_version = ssl.TLSVersion.TLSv1_2
        context.load_cert_chain(os.path.join(certs, cert + ".pem"), os.path.join(certs, cert + ".key"))
        for suffix, way in (("", "pop3"), ("-stls", "stls"), ("-smtps", "smtps"), ("-starttls", "starttls")):
            yield cert + suffix, context, way
    yield "silent", None, "silent"
    yield "drip", None, "drip"


def serve(folder, certs):
    log = Log(os.path.join(folder, "received"))
    ready = {}
    table = list(peers(certs)) + [("revoked", revocation_list(folder, certs, log), "pop3")]
    for name, context, way in table:
        threading.Thread(target=listen, args=(context, name, way, log, ready), daemon=True).start()
    while len(ready) < len(table):
        time.sleep(0.01)
    for name, port in ready.items():
        with open(os.path.join(folder, name + "_port"), "w") as f:
            f.write("%d\n" % port)
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write("%d\n" % os.getpid())
    signal.sigwait({signal.SIGTERM})


def start(folder, certs):
    peer_process.stop(folder)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if name == "pid" or name.endswith("_port"):
            os.remove(os.path.join(folder, name))
    for cert in CERTIFICATES:
        shutil.copy(os.path.join(certs, cert + ".sha256"), folder)
    return peer_process.launch(__file__, folder, certs, "tls_peer.py")


if __name__ == "__main__":
    peer_process.main(__doc__, start, serve)
