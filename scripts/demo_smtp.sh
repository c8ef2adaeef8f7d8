#!/usr/bin/env bash
# The demo's delivery step: the outgoing queue goes through a private
# Postfix relay into its maildir. Sourced by scripts/demo.sh, which calls
#   demo_smtp_start               start the relay (sets SMTP_RELAY_DIR, SMTP_PORT, MAILDIR)
#   demo_smtp_deliver OUTFOLDER   queue two messages there and send the queue with the host
#   demo_smtp_stop                stop the relay
# It expects demo.sh's host function (host INSTALLDIR cmd...) and ROOT.
# Run directly, it shows the step on its own.

demo_smtp_start() {
  SMTP_RELAY_DIR=$(mktemp -d /tmp/demo-relay.XXXXXX)
  chmod 755 "$SMTP_RELAY_DIR"
  "$ROOT/tests/peers/postfix.sh" start "$SMTP_RELAY_DIR/relay" >/dev/null
  # shellcheck disable=SC1091
  . "$SMTP_RELAY_DIR/relay/env"
  export SMTP_RELAY_DIR SMTP_PORT AUTH_PORT MAILDIR
}

demo_smtp_stop() {
  [ -n "${SMTP_RELAY_DIR:-}" ] || return 0
  "$ROOT/tests/peers/postfix.sh" stop "$SMTP_RELAY_DIR/relay" >/dev/null 2>&1 || true
  rm -rf "$SMTP_RELAY_DIR"
  SMTP_RELAY_DIR=
}

demo_smtp_deliver() {
  local out=$1
  mkdir -p "$out"
  # One message with an envelope, one that names its recipients itself;
  # spool files end their lines with CR LF.
  printf 'From: Office <office@demo.example>\r\nTo: Alice <alice@demo.example>\r\nSubject: Minutes\r\n\r\nThe minutes are attached.\r\n.A line that begins with a dot.\r\n' \
    > "$out/2026-12-07-09-00-00-0000.txt"
  printf 'MAIL FROM: <office@demo.example>\r\nRCPT TO: <alice@demo.example>\r\nRCPT TO: <reject-bob@demo.example>\r\n' \
    > "$out/2026-12-07-09-00-00-0000.adr"
  printf 'From: Reminder <root@demo.example>\r\nTo: alice@demo.example, carol@demo.example\r\nBcc: dave@demo.example\r\nSubject: Backup tonight\r\n\r\nPlease log off by six.\r\n' \
    > "$out/2026-12-07-09-00-01-0000.txt"

  echo "== delivering the outgoing queue through the relay on 127.0.0.1:$SMTP_PORT"
  host sendqueue "127.0.0.1:$SMTP_PORT::0:0:::" "$(winepath -w "$out")"
  # Each accepted recipient arrives as its own file some milliseconds after
  # the relay's 250: wait until the count stays put for a second.
  local n=-1 last=-2 f
  for _ in $(seq 100); do
    n=$(find "$MAILDIR/new" -type f 2>/dev/null | wc -l)
    if [ "$n" -eq "$last" ] && [ "$n" -gt 0 ]; then break; fi
    last=$n
    sleep 1
  done
  echo
  echo "== the relay delivered $n messages into $MAILDIR"
  local f
  for f in "$MAILDIR"/new/*; do
    [ -f "$f" ] || continue
    echo "-- $(grep -m1 '^Delivered-To:' "$f")"
    sed -n '/^Received:/,$p' "$f" | sed '/^Received:/,/^[^ \t]/{/^Received:/d;/^[ \t]/d}'
  done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  ROOT=$(cd "$(dirname "$0")/.." && pwd)
  BIN=$ROOT/build/win32/bin
  DEMO=$ROOT/build/demo-smtp
  rm -rf "$DEMO"; mkdir -p "$DEMO/install/event log" "$DEMO/install/out"
  INSTALL=$(winepath -w "$DEMO/install")
  host() { wine "$BIN/host.exe" "$INSTALL" "$@" </dev/null 2>&1 | tr -d '\r'; }
  trap demo_smtp_stop EXIT
  demo_smtp_start
  demo_smtp_deliver "$DEMO/install/out"
fi
