#!/usr/bin/env bash
# The reminders part of the demo. demo.sh sources this file and calls
# demo_reminders with its DEMO, INSTALL and host(); run on its own, the file
# sets those up itself (after ./dev build, inside a display and prefix, as
# ./dev demo provides them).
#
#   demo_reminders [RECIPIENT]
#
# Puts two due reminders into ms.ini (a once reminder to RECIPIENT with an
# attachment, and a weekly one to all internal users) and one that is not
# due yet, runs CheckReminders through the host, and shows what it left in
# tmp and in ms.ini. RECIPIENT defaults to the demo's "sales" account.

# Sets key=value pairs in an ms.ini section, keeping the rest of the file
# (CR LF line ends, as the library's own profile writes leave them).
demo_ini_set() {
  local file=$1 section=$2; shift 2
  python3 - "$file" "$section" "$@" <<'PY'
import sys
path, section, pairs = sys.argv[1], sys.argv[2], sys.argv[3:]
try:
    lines = open(path, newline="").read().replace("\r\n", "\n").split("\n")
except FileNotFoundError:
    lines = []
while lines and lines[-1] == "":
    lines.pop()
values = dict(p.split("=", 1) for p in pairs)
start = next((i for i, l in enumerate(lines) if l.strip().lower() == f"[{section.lower()}]"), None)
if start is None:
    lines.append(f"[{section}]")
    start = len(lines) - 1
end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("[")), len(lines))
body = [l for l in lines[start + 1:end] if l.split("=", 1)[0].strip().lower() not in {k.lower() for k in values}]
body += [f"{k}={v}" for k, v in values.items()]
lines[start + 1:end] = body
open(path, "w", newline="").write("\r\n".join(lines) + "\r\n")
PY
}

demo_reminders() {
  local to=${1:-} install=$DEMO/install
  mkdir -p "$install/tmp" "$install/temp"
  local ini=$install/ms.ini
  if ! grep -qi '^\[domain\]' "$ini" 2>/dev/null; then
    demo_ini_set "$ini" domain domain=example.org use=1
  fi
  if ! grep -qi '^\[mailbox0\]' "$ini" 2>/dev/null; then
    demo_ini_set "$ini" mailbox0 'name=(Postmaster)' address=root folder=root password= active=1
    demo_ini_set "$ini" mailbox1 'name=Sales Desk' address=sales folder=sales password= active=1
  fi
  if [ -z "$to" ]; then
    to="Sales Desk <sales@$(sed -n 's/^domain=\(.*\)\r\?$/\1/Ip' "$ini" | head -n1 | tr -d '\r')>"
  fi
  printf 'item,count\r\nbolts,40\r\nnuts,120\r\n' > "$install/stock list.csv"

  local year month day hour minute
  read -r year month day hour minute < <(date '+%Y %-m %-d %-H %-M')
  local month0=$((month - 1)) next_year=$((year + 1))
  # A once reminder that started a minute ago (or at midnight), a weekly
  # one that starts now, and a once reminder for next year.
  local start_min=$((minute > 0 ? minute - 1 : 0))
  demo_ini_set "$ini" 0auto0 "subject=Monthly stock take" "hour=$hour" "min=$start_min" "date=$day" \
    "month=$month0" "year=$year" reptype=0 totype=1 "todata=$to" "line0=Please count the shelves today." \
    "line1=The list is attached." line2= "line3=Thank you" "attachment=$INSTALL\\stock list.csv"
  demo_ini_set "$ini" 0auto1 "subject=Weekly team meeting" "hour=$hour" "min=$minute" "date=$day" \
    "month=$month0" "year=$year" reptype=1 rep1=1 totype=3 "line0=The team meets on Monday at ten."
  demo_ini_set "$ini" 0auto2 "subject=Happy new year" hour=0 min=0 date=1 month=0 "year=$next_year" \
    reptype=0 totype=3 "line0=All the best from the mail server."

  echo "== reminders in ms.ini before the scan"
  grep -i '^\[0auto\|^subject=' "$ini" | tr -d '\r'
  echo
  echo "== CheckReminders through the host"
  host reminders
  echo
  echo "== reminders in ms.ini after the scan (the once record is gone, the weekly one stamped)"
  grep -i '^\[0auto\|^subject=\|^sent' "$ini" | tr -d '\r'
  echo
  local f
  for f in "$install"/tmp/*.adr; do
    [ -e "$f" ] || continue
    echo "== $(basename "$f")"
    tr -d '\r' < "$f"
    echo "== ${f%.adr}.txt (first lines)"
    tr -d '\r' < "${f%.adr}.txt" | head -n 30
    echo
  done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  ROOT=$(cd "$(dirname "$0")/.." && pwd)
  BIN=$ROOT/build/win32/bin
  DEMO=$ROOT/build/demo-reminders
  rm -rf "$DEMO"; mkdir -p "$DEMO/install/event log" "$DEMO/install/tmp"
  INSTALL=$(winepath -w "$DEMO/install")
  host() { wine "$BIN/host.exe" "$INSTALL" "$@" 2>&1 | tr -d '\r'; }
  demo_reminders "$@"
fi
