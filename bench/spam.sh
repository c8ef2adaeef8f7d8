#!/usr/bin/env bash
# The spam black list: a 10,000-entry list against a 1 MB message that holds
# no entry. ParseBlackSpam is timed inside the host (its first call reads the
# list and matches, later calls match with the held list) against
# grep -Fiwf over the same entries and message, run in the C locale (grep's
# fast path; in a UTF-8 locale it takes minutes on this data). Best of
# several runs each; prints the ratios (below 1: faster than grep).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HOST=$ROOT/build/win32/bin/host.exe
RUNS=${SPAM_BENCH_RUNS:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/bench/spam_data.py" "$work"
entries=$(wc -l <"$work/patterns.txt")
bytes=$(wc -c <"$work/message.txt")

now_ns() { date +%s%N; }
grep_ms=()
for _ in $(seq "$RUNS"); do
  start=$(now_ns)
  if LC_ALL=C grep -Fiwf "$work/patterns.txt" "$work/message.txt" >/dev/null; then
    echo "bench/spam.sh: grep found a match; the data is wrong" >&2; exit 1
  fi
  grep_ms+=("$(awk -v ns=$(( $(now_ns) - start )) 'BEGIN { printf "%.3f", ns / 1e6 }')")
done

win=$(winepath -w "$work" 2>/dev/null)
cold_ms=() warm_ms=()
for _ in $(seq "$RUNS"); do
  printf '[spam]\r\nuse=1\r\nmod-black=1\r\n' >"$work/ms.ini"
  args=()
  for _ in 1 2 3 4; do args+=(black "$win\\message.txt" -); done
  out=$(wine "$HOST" "$win" "${args[@]}" 2>/dev/null | tr -d '\r' | grep '^black:')
  if grep -qv '^black: 0 ' <<<"$out"; then
    echo "bench/spam.sh: unexpected result: $out" >&2; exit 1
  fi
  times=$(sed -E 's/.*\(([0-9.]+) ms\)$/\1/' <<<"$out")
  cold_ms+=("$(head -n1 <<<"$times")")
  while read -r t; do warm_ms+=("$t"); done < <(tail -n +2 <<<"$times")
done

best() { printf '%s\n' "$@" | sort -g | head -n1; }
g=$(best "${grep_ms[@]}") c=$(best "${cold_ms[@]}") w=$(best "${warm_ms[@]}")
echo "spam black list: $entries entries, $bytes-byte message, no match (best of $RUNS)"
printf '  grep -Fiwf (C locale)                     %9.1f ms\n' "$g"
awk -v t="$c" -v g="$g" 'BEGIN { printf "  ParseBlackSpam, list read and matched    %9.1f ms   ratio %.2f (goal <= 2)\n", t, t / g }'
awk -v t="$w" -v g="$g" 'BEGIN { printf "  ParseBlackSpam, list held                %9.1f ms   ratio %.2f\n", t, t / g }'
