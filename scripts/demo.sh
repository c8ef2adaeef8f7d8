#!/usr/bin/env bash
# The demo: a sample install folder, and the host loading utilities.dll and
# calling its exports, printing the event and status lines it receives.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$ROOT/build/win32/bin
DEMO=$ROOT/build/demo
rm -rf "$DEMO"; mkdir -p "$DEMO/install/event log" "$DEMO/install/out" "$DEMO/install/tmp"
INSTALL=$(winepath -w "$DEMO/install")

host() { wine "$BIN/host.exe" "$INSTALL" "$@" 2>&1 | tr -d '\r'; }

echo "== the host loads utilities.dll from $BIN"
host winver tz
echo
echo "== events and their categories"
host log "Server started" 4 log "Reminder generated" 1 log "Dial-up: line is busy" 2 log "Attachment missing" 3
echo
echo "== the password scrambler (stored form and back)"
host crypt qelvoran "secret password" 1
echo
echo "== the event log file ($DEMO/install/event log/events.txt)"
tr -d '\r' < "$DEMO/install/event log/events.txt"

echo
echo "== dial-up through the stand-in handler (rashand.exe, scripted by rashand.ini), then the schedule"
cp "$BIN/rashand.exe" "$BIN/count.avi" "$DEMO/install/"
printf '[dialup]\r\ntype=0\r\nras=Office ISP\r\ntimeout=10\r\nretries=1\r\ndelay=2\r\n[schedule]\r\ntype=2\r\n[schedule0]\r\nsun=1\r\nmon=1\r\ntue=1\r\nwed=1\r\nthu=1\r\nfri=1\r\nsat=1\r\ntimes=08:00,12:30,17:00,\r\n' \
  >> "$DEMO/install/ms.ini"
printf '[script]\r\nbusy=1\r\nanswer=OK\r\nanswer_after=500\r\nidle_exit=5\r\n' > "$DEMO/install/rashand.ini"
host getonline 1 isonline getoffline 1 oktobeonline 1
echo

# A due reminder: CheckReminders generates it into tmp; the host, as the
# server's executable does, moves it into the outgoing queue.
. "$ROOT/scripts/demo_reminders.sh"
echo
demo_reminders "Alice <alice@demo.example>"
mkdir -p "$DEMO/install/out"
for f in "$DEMO"/install/tmp/*.txt "$DEMO"/install/tmp/*.adr; do
  [ -e "$f" ] && mv "$f" "$DEMO/install/out/"
done
echo "== the reminders are queued in out: $(cd "$DEMO/install/out" && echo *.txt)"
echo

# The mail exchange: the outgoing queue goes through a private Postfix
# relay; what it delivered lands in the mailbox of a private Dovecot, and
# the host collects it back over POP3.
. "$ROOT/scripts/demo_smtp.sh"
PEER=$(mktemp -d /tmp/util-demo-pop3.XXXXXX)
chmod 755 "$PEER"
cleanup() { demo_smtp_stop; "$ROOT/tests/peers/dovecot.sh" stop "$PEER" >/dev/null 2>&1 || true; rm -rf "$PEER"; }
trap cleanup EXIT
demo_smtp_start
PORT=$("$ROOT/tests/peers/dovecot.sh" start "$PEER")
demo_smtp_deliver "$DEMO/install/out"

echo
echo "== the relay's deliveries go into mailbox \"demo\" of the POP3 server on 127.0.0.1:$PORT"
"$ROOT/tests/peers/dovecot.sh" seed "$PEER" demo "$MAILDIR"/new/*
mkdir -p "$DEMO/install/in"
host collect 127.0.0.1 "$PORT" demo secret "$INSTALL\\in" | grep -v '^status\[1\]: Downloading'
echo
for f in "$DEMO"/install/in/2*.txt; do
  echo "-- $(basename "$f") ($(stat -c %s "$f") bytes)"
  tr -d '\r' < "$f" | grep -E '^(Received: from <|From:|To:|Subject:|Delivered-To:)' || true
done
echo "-- the server's mailbox afterwards:"
host pop3open 127.0.0.1 "$PORT" demo secret pop3stat pop3close | grep -E '^(stat|close):'
