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

echo "== collecting a POP3 mailbox (a private Dovecot on 127.0.0.1) into message files"
PEER=$(mktemp -d /tmp/util-demo-pop3.XXXXXX)
trap '"$ROOT/tests/peers/dovecot.sh" stop "$PEER"; rm -rf "$PEER"' EXIT
PORT=$("$ROOT/tests/peers/dovecot.sh" start "$PEER")
printf 'From: Ann <ann@example.org>\r\nTo: demo@example.org\r\nSubject: Lunch\r\n\r\nNoon at the usual place?\r\n' > "$PEER/m1.eml"
printf 'From: Bob <bob@example.org>\r\nTo: demo@example.org\r\nSubject: Dots\r\n\r\n.a line that begins with a dot\r\n.\r\nand a line of a single dot above\r\n' > "$PEER/m2.eml"
{ printf 'From: Cy <cy@example.org>\r\nTo: demo@example.org\r\nSubject: Report\r\n\r\n'
  for i in $(seq 2000); do printf 'line %04d of the quarterly report, long enough to need many blocks\r\n' "$i"; done; } > "$PEER/m3.eml"
"$ROOT/tests/peers/dovecot.sh" seed "$PEER" demo "$PEER/m1.eml" "$PEER/m2.eml" "$PEER/m3.eml"
echo "Dovecot listens on 127.0.0.1:$PORT; mailbox \"demo\" holds 3 messages"
mkdir -p "$DEMO/install/in"
host collect 127.0.0.1 "$PORT" demo secret "$INSTALL\\in" | grep -v '^status\[1\]: Downloading'
echo
for f in "$DEMO"/install/in/2*.txt; do
  echo "-- $(basename "$f") ($(stat -c %s "$f") bytes)"
  tr -d '\r' < "$f" | sed -n 1,7p
done
echo "-- the server's mailbox afterwards:"
host pop3open 127.0.0.1 "$PORT" demo secret pop3stat pop3close | grep -E '^(stat|close):'
