#!/usr/bin/env bash
# Whole SMTP sessions against curl, both talking to the private Postfix
# relay on 127.0.0.1:
#  - one 20 MB message: InitSMTP, OpenSMTP, SendMailSMTP, CloseSMTP
#    against curl uploading the same file (goal: at most 1.2x);
#  - a queue of 200 messages of 5 KB through one session against curl
#    sending them one by one (goal: faster than curl).
# The library's times are the host's own, from before InitSMTP to after
# CloseSMTP (Wine's start left out); curl's are wall times of its runs.
# Run through ./dev bench (display and Wine prefix ready) or by hand after
# `. scripts/wine-env.sh`.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$ROOT/build/win32/bin
RUNS=${RUNS:-5}
QUEUE=200
WORK=$(mktemp -d /tmp/smtp-bench.XXXXXX)
chmod 755 "$WORK"  # the relay's own users must reach their folders
RELAY=$WORK/relay
cleanup() { "$ROOT/tests/peers/postfix.sh" stop "$RELAY" >/dev/null 2>&1 || true; rm -rf "$WORK"; }
trap cleanup EXIT
"$ROOT/tests/peers/postfix.sh" start "$RELAY" >/dev/null
. "$RELAY/env"

# The large message: a short header and 20 MB of base64 lines of 76
# characters. The queue: 200 messages of 5 KB of text lines.
mkdir -p "$WORK/install/event log" "$WORK/queue"
MESSAGE=$WORK/install/bench.txt
python3 - "$MESSAGE" "$WORK/queue" "$QUEUE" <<'PY'
import base64, os, sys
header = (b"From: bench@office.example\r\nTo: bench@relay.example\r\nSubject: bench\r\n"
          b"MIME-Version: 1.0\r\nContent-Type: application/octet-stream\r\n"
          b"Content-Transfer-Encoding: base64\r\n\r\n")
body = base64.encodebytes(os.urandom(15 * 1024 * 1024)).replace(b"\n", b"\r\n")
open(sys.argv[1], "wb").write(header + body[: 20 * 1024 * 1024 - len(header)])
line = b"The quick brown fox jumps over the lazy dog; the dog sleeps on, 0123456789.\r\n"
for i in range(int(sys.argv[3])):
    head = b"From: bench@office.example\r\nTo: bench@relay.example\r\nSubject: queued %d\r\n\r\n" % i
    open(os.path.join(sys.argv[2], "q%03d.txt" % i), "wb").write(head + line * ((5000 - len(head)) // len(line)))
PY
SIZE=$(stat -c %s "$MESSAGE")
INSTALL=$(winepath -w "$WORK/install")
RECORD="127.0.0.1:$SMTP_PORT::0:0:::"

median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m}'; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The host's session time: the stopwatch before InitSMTP and after CloseSMTP.
session_ms() {
  local out
  out=$(wine "$BIN/host.exe" "$INSTALL" stopwatch "$@" stopwatch </dev/null 2>&1 | tr -d '\r')
  if grep -q '^open: failed' <<<"$out" || grep -Eq '^send: .* -[12] \(' <<<"$out"; then
    echo "smtp bench: a delivery failed:" >&2; echo "$out" >&2; exit 1
  fi
  sed -n 's/^stopwatch: \([0-9.]*\) ms$/\1/p' <<<"$out"
}
curl_send() {
  curl -sS "smtp://127.0.0.1:$SMTP_PORT" --mail-from bench@office.example --mail-rcpt bench@relay.example \
    --upload-file "$1"
}

ours=() theirs=()
for _ in $(seq "$RUNS"); do
  ours+=("$(session_ms send "$RECORD" "$(winepath -w "$MESSAGE")")")
  start=$(now_ms); curl_send "$MESSAGE"; theirs+=("$(( $(now_ms) - start ))")
done
OURS=$(printf '%s\n' "${ours[@]}" | median)
THEIRS=$(printf '%s\n' "${theirs[@]}" | median)
printf 'smtp session, one message of %d bytes, median of %d runs:\n' "$SIZE" "$RUNS"
printf '  InitSMTP .. CloseSMTP      %8.1f ms (all: %s)\n' "$OURS" "${ours[*]}"
printf '  curl --upload-file         %8.1f ms (all: %s)\n' "$THEIRS" "${theirs[*]}"
SESSION_RATIO=$(awk -v a="$OURS" -v b="$THEIRS" 'BEGIN { printf "%.2f", a / b }')
echo "  ratio                      ${SESSION_RATIO}x (goal <= 1.20x)"

qours=() qtheirs=()
for _ in $(seq 3); do
  qours+=("$(session_ms sendqueue "$RECORD" "$(winepath -w "$WORK/queue")")")
  start=$(now_ms)
  for f in "$WORK"/queue/*.txt; do curl_send "$f"; done
  qtheirs+=("$(( $(now_ms) - start ))")
done
QOURS=$(printf '%s\n' "${qours[@]}" | median)
QTHEIRS=$(printf '%s\n' "${qtheirs[@]}" | median)
printf 'smtp queue, %d messages of 5 KB, median of 3 runs:\n' "$QUEUE"
printf '  one session (sendqueue)    %8.1f ms (all: %s)\n' "$QOURS" "${qours[*]}"
printf '  curl, one run a message    %8.1f ms (all: %s)\n' "$QTHEIRS" "${qtheirs[*]}"
QUEUE_RATIO=$(awk -v a="$QOURS" -v b="$QTHEIRS" 'BEGIN { printf "%.2f", a / b }')
echo "  ratio                      ${QUEUE_RATIO}x (goal < 1.00x)"
echo "ratios: SMTP session ${SESSION_RATIO}x, SMTP queue ${QUEUE_RATIO}x"
