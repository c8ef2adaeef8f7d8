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
