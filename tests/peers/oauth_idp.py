#!/usr/bin/env python3
"""A small identity provider for the sign-in tests, over TLS on 127.0.0.1
with the certificate for "localhost" of the tests' private authority.

  oauth_idp.py start DIR CERTS   start in the background; DIR/port holds
                                 its port, DIR/pid its PID, DIR/browser
                                 the test browser to point Wine at
  oauth_idp.py stop DIR          stop it (by its PID)

Endpoints, for the client "test-client" only:
  GET  /authorize   approves the user named by login_hint (else "t38") at
                    once and sends the browser back to the loopback
                    redirect_uri (http://127.0.0.1:PORT/ only) with a code
                    bound to the PKCE challenge (S256 only)
  POST /token       authorization_code (the code once, its redirect_uri,
                    the verifier's SHA-256 must give the challenge),
                    refresh_token (a new refresh token each time, the old
                    one ended) and the device code grant
  POST /device      a device code, approved at the second poll
  POST /introspect  for Dovecot: {"active": true, "username": ...} for a
                    known access token that has not expired, otherwise
                    {"active": false} (that Dovecot ignores "exp")

DIR/control, read at every request, steers it, one word a line:
  lifetime SECONDS   how long access tokens last (3600 when not given)
  wrong-state        the redirect carries another state than it was given
  wrong-challenge    the code is bound to another challenge than it was given
  revoke USER        every refresh token of USER is ended
  inactive           every access token is answered inactive
Every grant is written to DIR/grants ("authorization_code t38",
"refresh_token t38", "device_code t38", "refused refresh_token t38"),
every redirect to DIR/redirects.
"""
import base64
import hashlib
import http.server
import json
import os
import secrets
import signal
import ssl
import sys
import threading
import time
import urllib.parse

import peer_process

CLIENT = "test-client"
DEFAULT_USER = "t38"


class State:
    def __init__(self, folder):
        self.folder = folder
        self.lock = threading.Lock()
        self.codes = {}       # code: (challenge, redirect_uri, user)
        self.refresh = {}     # refresh token: user
        self.access = {}      # access token: (user, expiry)
        self.devices = {}     # device code: polls so far

    def control(self):
        words = {}
        try:
            with open(os.path.join(self.folder, "control")) as f:
                for line in f:
                    parts = line.split()
                    if parts:
                        words.setdefault(parts[0], []).append(parts[1] if len(parts) > 1 else "")
        except OSError:
            pass
        return words

    def note(self, name, line):
        with open(os.path.join(self.folder, name), "a") as f:
            f.write(line + "\n")

    def tokens(self, user, scope):
        lifetime = int(self.control().get("lifetime", ["3600"])[-1])
        access = "at-" + secrets.token_urlsafe(24)
        refresh = "rt-" + secrets.token_urlsafe(24)
        self.access[access] = (user, time.time() + lifetime)
        self.refresh[refresh] = user
        claims = base64.urlsafe_b64encode(json.dumps({"sub": user, "email": user}).encode()).rstrip(b"=").decode()
        return {"token_type": "Bearer", "access_token": access, "refresh_token": refresh, "expires_in": lifetime,
                "scope": scope, "id_token": "eyJhbGciOiJub25lIn0." + claims + "."}


def s256(verifier):
    return base64.urlsafe_b64encode(hashlib.sha256(verifier.encode()).digest()).rstrip(b"=").decode()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        data = json.dumps(body).encode() if isinstance(body, dict) else body
        self.send_response(status)
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Connection", "close")
        if isinstance(body, dict):
            self.send_header("Content-Type", "application/json")
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(data)
        self.close_connection = True

    def refuse(self, error, description):
        self.reply(400, {"error": error, "error_description": description})

    def do_GET(self):
        state = self.server.state
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        if url.path != "/authorize":
            return self.reply(404, b"not here")
        redirect = query.get("redirect_uri", "")
        if (query.get("client_id") != CLIENT or query.get("response_type") != "code"
                or query.get("code_challenge_method") != "S256" or not query.get("code_challenge")
                or not redirect.startswith("http://127.0.0.1:")):
            return self.reply(400, b"bad authorization request")
        control = state.control()
        user = query.get("login_hint") or DEFAULT_USER
        challenge = query["code_challenge"]
        if "wrong-challenge" in control:
            challenge = s256("another verifier")
        code = "code-" + secrets.token_urlsafe(16)
        with state.lock:
            state.codes[code] = (challenge, redirect, user)
        returned = query.get("state", "")
        if "wrong-state" in control:
            returned += "-forged"
        state.note("redirects", redirect)
        target = redirect + "?" + urllib.parse.urlencode({"code": code, "state": returned})
        self.reply(302, b"", [("Location", target)])

    def do_POST(self):
        state = self.server.state
        length = int(self.headers.get("Content-Length", "0"))
        form = dict(urllib.parse.parse_qsl(self.rfile.read(length).decode()))
        path = urllib.parse.urlsplit(self.path).path
        if path == "/introspect":
            with state.lock:
                user, expiry = state.access.get(form.get("token", ""), (None, 0))
            if user is None or expiry < time.time() or "inactive" in state.control():
                return self.reply(200, {"active": False})
            return self.reply(200, {"active": True, "username": user, "exp": int(expiry)})
        if form.get("client_id") != CLIENT:
            return self.refuse("invalid_client", "unknown client")
        if path == "/device":
            device = "dev-" + secrets.token_urlsafe(16)
            with state.lock:
                state.devices[device] = 0
            port = self.server.server_address[1]
            return self.reply(200, {"device_code": device, "user_code": "TEST-CODE", "interval": 1, "expires_in": 60,
                                    "verification_uri": "https://localhost:%d/device" % port})
        if path != "/token":
            return self.reply(404, b"not here")
        grant = form.get("grant_type")
        with state.lock:
            if grant == "authorization_code":
                found = state.codes.pop(form.get("code", ""), None)
                if not found:
                    return self.refuse("invalid_grant", "unknown or used code")
                challenge, redirect, user = found
                if form.get("redirect_uri") != redirect:
                    return self.refuse("invalid_grant", "redirect_uri differs")
                if s256(form.get("code_verifier", "")) != challenge:
                    return self.refuse("invalid_grant", "PKCE verification failed")
                state.note("grants", "authorization_code " + user)
                return self.reply(200, state.tokens(user, "mail"))
            if grant == "refresh_token":
                user = state.refresh.pop(form.get("refresh_token", ""), None)
                if user is None or user in state.control().get("revoke", []):
                    state.note("grants", "refused refresh_token " + str(user))
                    return self.refuse("invalid_grant", "the refresh token has been revoked")
                state.note("grants", "refresh_token " + user)
                return self.reply(200, state.tokens(user, "mail"))
            if grant == "urn:ietf:params:oauth:grant-type:device_code":
                device = form.get("device_code", "")
                if device not in state.devices:
                    return self.refuse("expired_token", "unknown device code")
                state.devices[device] += 1
                if state.devices[device] < 2:
                    return self.refuse("authorization_pending", "not yet")
                del state.devices[device]
                state.note("grants", "device_code " + DEFAULT_USER)
                return self.reply(200, state.tokens(DEFAULT_USER, "mail"))
        return self.refuse("unsupported_grant_type", str(grant))


def serve(folder, certs):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.minimum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(os.path.join(certs, "server.crt"), os.path.join(certs, "server.key"))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    server.state = State(folder)

    # A handshake runs on the request's own thread, not in accept().
    def finish(request, address):
        try:
            request.do_handshake()
        except (ssl.SSLError, OSError):
            request.close()
            return
        http.server.ThreadingHTTPServer.process_request_thread(server, request, address)
    server.process_request = lambda request, address: threading.Thread(
        target=finish, args=(request, address), daemon=True).start()

    with open(os.path.join(folder, "port"), "w") as f:
        f.write("%d\n" % server.server_address[1])
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write("%d\n" % os.getpid())
    threading.Thread(target=server.serve_forever, daemon=True).start()
    signal.sigwait({signal.SIGTERM})


def start(folder, certs):
    peer_process.stop(folder)
    os.makedirs(folder, exist_ok=True)
    os.chmod(folder, 0o755)
    for name in ("pid", "port", "control", "grants", "redirects", "browser.log"):
        try:
            os.remove(os.path.join(folder, name))
        except OSError:
            pass
    # The browser Wine is pointed at: follows the authorization page to the
    # loopback redirect, trusting the tests' authority only.
    tools = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
    browser = os.path.join(folder, "browser")
    with open(browser, "w") as f:
        f.write("#!/bin/sh\nexec /usr/bin/python3 %s --ca %s --log %s \"$@\"\n" % (
            os.path.realpath(os.path.join(tools, "test_browser.py")), os.path.join(certs, "ca.crt"),
            os.path.join(folder, "browser.log")))
    os.chmod(browser, 0o755)
    return peer_process.launch(__file__, folder, certs, "oauth_idp.py")


if __name__ == "__main__":
    peer_process.main(__doc__, start, serve)
