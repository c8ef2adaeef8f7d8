#!/usr/bin/env bash
# SendMailSMTP of a 20 MB message to the private Postfix relay, against
# curl uploading the same file to the same relay; prints both times and
# their ratio (goal: at most 1.2). Run through ./dev bench (display and
# Wine prefix ready) or by hand after `. scripts/wine-env.sh`.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$ROOT/build/win32/bin
RUNS=${RUNS:-5}
WORK=$(mktemp -d /tmp/smtp-bench.XXXXXX)
chmod 755 "$WORK"  # the relay's own users must reach their folders
RELAY=$WORK/relay
cleanup() { "$ROOT/tests/peers/postfix.sh" stop "$RELAY" >/dev/null 2>&1 || true; rm -rf "$WORK"; }
trap cleanup EXIT
"$ROOT/tests/peers/postfix.sh" start "$RELAY" >/dev/null
. "$RELAY/env"

# The message: a short header and 20 MB of base64 lines of 76 characters.
mkdir -p "$WORK/install/event log"
MESSAGE=$WORK/install/bench.txt
python3 - "$MESSAGE" <<'PY'
import base64, os, sys
body = base64.encodebytes(os.urandom(15 * 1024 * 1024)).replace(b"\n", b"\r\n")
header = (b"From: bench@office.example\r\nTo: bench@relay.example\r\nSubject: bench\r\n"
          b"MIME-Version: 1.0\r\nContent-Type: application/octet-stream\r\n"
          b"Content-Transfer-Encoding: base64\r\n\r\n")
open(sys.argv[1], "wb").write(header + body[: 20 * 1024 * 1024 - len(header)])
PY
SIZE=$(stat -c %s "$MESSAGE")
INSTALL=$(winepath -w "$WORK/install")
WINMSG=$(winepath -w "$MESSAGE")

# Median of the run times in milliseconds.
median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m}'; }

ours=() theirs=()
for _ in $(seq "$RUNS"); do
  out=$(wine "$BIN/host.exe" "$INSTALL" send "127.0.0.1:$SMTP_PORT::0:0:::" "$WINMSG" </dev/null 2>&1 | tr -d '\r')
  ms=$(sed -n 's/^send: .* 0 (\([0-9.]*\) ms).*/\1/p' <<<"$out")
  [ -n "$ms" ] || { echo "SendMailSMTP failed:"; echo "$out"; exit 1; }
  ours+=("$ms")
  start=$(date +%s%N)
  curl -sS "smtp://127.0.0.1:$SMTP_PORT" --mail-from bench@office.example --mail-rcpt bench@relay.example \
    --upload-file "$MESSAGE"
  theirs+=("$(( ($(date +%s%N) - start) / 1000 ))")
done
OURS=$(printf '%s\n' "${ours[@]}" | median)
THEIRS=$(printf '%s\n' "${theirs[@]}" | awk '{print $1/1000}' | median)
printf 'smtp: %d bytes, %d runs each, median times\n' "$SIZE" "$RUNS"
printf '  SendMailSMTP         %8.1f ms\n' "$OURS"
printf '  curl --upload-file   %8.1f ms\n' "$THEIRS"
awk -v a="$OURS" -v b="$THEIRS" 'BEGIN { printf "  ratio                %8.2fx (goal <= 1.20x)\n", a / b }'
