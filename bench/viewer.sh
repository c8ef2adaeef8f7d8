#!/usr/bin/env bash
# The mailbox viewer on a big folder: the incoming queue with 5,000 and then
# 50,000 message files (every tenth held, with its ".lck" beside it, every
# fifth with an envelope). Times choosing the folder (the list filled) and
# RefreshView inside the viewer, against listing the same folder with
# find -name '*.txt' and ls -f in the same run. Best of several runs; prints
# the figures and the ratios to find. Goal: 5,000 files listed in under 1 s,
# 50,000 in under 5 s.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TIMING=$ROOT/build/win32/bin/window_timing.exe
RUNS=${VIEWER_BENCH_RUNS:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$work/ms.ini"
win=$(winepath -w "$work" 2>/dev/null)

now_ns() { date +%s%N; }
ms_since() { awk -v ns=$(( $(now_ns) - $1 )) 'BEGIN { printf "%.3f", ns / 1e6 }'; }
best() { printf '%s\n' "$@" | sort -g | head -n1; }

for count in 5000 50000; do
  rm -rf "$work/in"
  mkdir -p "$work/in"
  python3 - "$work/in" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
body = b'From: ann@example.org\r\nTo: bob@example.org\r\nSubject: note\r\n\r\nHello.\r\n'
for n in range(count):
    base = os.path.join(folder, '2026-12-07-08-%02d-%02d-%04d' % (n // 600 % 60, n // 10 % 60, n))
    with open(base + '.txt', 'wb') as f:
        f.write(body)
    if n % 10 == 0:
        open(base + '.lck', 'wb').close()
    if n % 5 == 0:
        with open(base + '.adr', 'wb') as f:
            f.write(b'MAIL FROM: <ann@example.org>\r\nRCPT TO: <bob@example.org>\r\n')
PY
  finds=() lss=() lists=() refreshes=()
  for _ in $(seq "$RUNS"); do
    start=$(now_ns); n=$(find "$work/in" -maxdepth 1 -name '*.txt' | wc -l); finds+=("$(ms_since "$start")")
    start=$(now_ns); ls -f "$work/in" >/dev/null; lss+=("$(ms_since "$start")")
    [ "$n" -eq "$count" ] || { echo "bench/viewer.sh: find saw $n files" >&2; exit 1; }
    out=$(wine "$TIMING" "$win" viewer in 2>/dev/null | tr -d '\r' | grep '^viewer:') || true
    read -r _ _ list _ refresh _ listed <<<"$out"
    if [ "${listed:-0}" -ne "$count" ]; then echo "bench/viewer.sh: the viewer listed ${listed:-nothing}" >&2; exit 1; fi
    lists+=("$list") refreshes+=("$refresh")
  done
  f=$(best "${finds[@]}") l=$(best "${lss[@]}") v=$(best "${lists[@]}") r=$(best "${refreshes[@]}")
  goal=$([ "$count" -eq 5000 ] && echo 1000 || echo 5000)
  echo "viewer: $count message files in one folder (best of $RUNS)"
  printf '  find -name "*.txt"                 %9.1f ms\n' "$f"
  printf '  ls -f                              %9.1f ms\n' "$l"
  awk -v t="$v" -v f="$f" -v g="$goal" 'BEGIN { printf "  folder chosen, list filled         %9.1f ms   ratio %.1f   goal < %d ms\n", t, t / f, g }'
  awk -v t="$r" -v f="$f" -v g="$goal" 'BEGIN { printf "  RefreshView                        %9.1f ms   ratio %.1f   goal < %d ms\n", t, t / f, g }'
done
