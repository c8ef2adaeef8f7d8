#!/usr/bin/env bash
# The settings of an office that has grown: an ms.ini with RECORDS (1,000)
# records in every list of the settings sheet and ACCOUNTS (2,000) mailbox
# accounts. For each page that keeps a list, the sheet is opened on it and
# closed with OK (the page applies); then "Mailbox Details" is opened. The
# peer is Python's configparser reading the same file and writing it whole,
# in the same run. Best of several runs each; prints the figures and the
# ratios (below 1: faster than the peer). Goal: each open and each Apply
# under 1 s.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TIMING=$ROOT/build/win32/bin/window_timing.exe
RUNS=${SETTINGS_BENCH_RUNS:-3}
RECORDS=${SETTINGS_BENCH_RECORDS:-1000}
ACCOUNTS=${SETTINGS_BENCH_ACCOUNTS:-2000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/bench/settings_data.py" "$work/ms.ini" "$RECORDS" "$ACCOUNTS"
# The file is older than the run, as an office's is when the sheet opens.
touch -d '1 hour ago' "$work/ms.ini"
mkdir -p "$work/install"
win=$(winepath -w "$work/install" 2>/dev/null)

peer_ms() {
  python3 - "$work/ms.ini" "$work/peer.ini" <<'PY'
import configparser, sys, time
start = time.perf_counter()
parser = configparser.ConfigParser(interpolation=None, strict=False)
parser.optionxform = str
parser.read(sys.argv[1])
with open(sys.argv[2], 'w') as out:
    parser.write(out)
print('%.3f' % ((time.perf_counter() - start) * 1000))
PY
}

best() { printf '%s\n' "$@" | sort -g | head -n1; }

peer=()
for _ in $(seq "$RUNS"); do peer+=("$(peer_ms)"); done
p=$(best "${peer[@]}")

echo "settings: $RECORDS records in every list, $ACCOUNTS accounts, $(wc -c <"$work/ms.ini")-byte ms.ini (best of $RUNS)"
printf '  configparser, file read and written        %9.1f ms\n' "$p"
for entry in "0:Domain (conversions)" "2:Outgoing" "3:Incoming" "6:Reminders" "7:Routing" "10:Aliases" \
             "12:Scanner" "13:Attachments"; do
  page=${entry%%:*} title=${entry#*:}
  opens=() applies=()
  for _ in $(seq "$RUNS"); do
    cp -p "$work/ms.ini" "$work/install/ms.ini"
    out=$(wine "$TIMING" "$win" sheet "$page" 2>/dev/null | tr -d '\r' | grep '^sheet:') || true
    if [ -z "$out" ]; then echo "bench/settings.sh: the sheet on page $page gave no figures" >&2; exit 1; fi
    read -r _ _ open _ apply <<<"$out"
    opens+=("$open") applies+=("$apply")
  done
  o=$(best "${opens[@]}") a=$(best "${applies[@]}")
  awk -v t="$title" -v o="$o" -v a="$a" -v p="$p" 'BEGIN {
    printf "  %-22s open %8.1f ms (%5.2f)   apply %8.1f ms (%5.2f)   goal < 1000 ms\n", t, o, o / p, a, a / p }'
done

opens=()
for _ in $(seq "$RUNS"); do
  cp -p "$work/ms.ini" "$work/install/ms.ini"
  out=$(wine "$TIMING" "$win" accounts 2>/dev/null | tr -d '\r' | grep '^accounts:') || true
  read -r _ _ open _ entries <<<"$out"
  if [ "${entries:-0}" -lt "$ACCOUNTS" ]; then echo "bench/settings.sh: Mailbox Details listed ${entries:-none}" >&2; exit 1; fi
  opens+=("$open")
done
o=$(best "${opens[@]}")
awk -v o="$o" -v p="$p" -v n="$ACCOUNTS" 'BEGIN {
  printf "  Mailbox Details, %d accounts   open %8.1f ms (%5.2f)\n", n, o, o / p }'
