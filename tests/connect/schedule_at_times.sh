#!/bin/bash
# schedule_at_times.sh HOST WINE_RUN: OKToBeOnline through the host at chosen local
# times of day. Wine takes each process's time zone from its TZ, so a zone
# whose offset puts "now" at the wanted time stands in for a clock.
set -u
host=$1 runner=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# The folder as Windows programs see it (drive Z: is the root).
install="Z:${dir//\//\\}"
fail=0

config() { printf '%s\r\n' "$@" > "$dir/ms.ini"; }

# Runs the host with the local clock at HH:MM (the seconds are those of now).
run_at() {
  local hh=${1%:*} mm=${1#*:} s now target off west sign
  s=$((10#$(date -u +%S)))
  # Stay inside one minute from the zone's choice to the call.
  if [ "$s" -ge 50 ]; then sleep $((61 - s)); fi
  now=$((10#$(date -u +%H) * 60 + 10#$(date -u +%M)))
  target=$((10#$hh * 60 + 10#$mm))
  off=$(( ((target - now) % 1440 + 1440) % 1440 ))
  [ "$off" -gt 720 ] && off=$((off - 1440))
  # POSIX zones count west of Greenwich as positive.
  west=$((-off)); sign=+
  if [ "$west" -lt 0 ]; then sign=-; west=$((-west)); fi
  TZ=$(printf 'XST%s%d:%02d' "$sign" $((west / 60)) $((west % 60))) \
    "$runner" "$host" "$install" oktobeonline 1 2>/dev/null | tr -d '\r'
}

expect() {
  local out
  out=$(run_at "$1")
  if ! grep -qxF "$2" <<<"$out"; then
    echo "at $1: expected \"$2\", got:"; echo "$out"; fail=1
  else
    echo "at $1: $2"
  fi
}

days="sun=1 mon=1 tue=1 wed=1 thu=1 fri=1 sat=1"
# shellcheck disable=SC2086
config "[schedule]" "type=2" "[schedule0]" $days "times=08:00,12:30,"
expect 10:15 "oktobeonline: 0 Scheduled connection due at 12:30"
expect 12:30 "oktobeonline: 1 Scheduled connection due now"
expect 13:00 "oktobeonline: 0 No further connections due today"

# shellcheck disable=SC2086
config "[schedule]" "type=1" "interval=30" "lotime=8" "hitime=17" $days
expect 07:59 "oktobeonline: 0 Scheduled connections disabled until 08:00"
expect 09:00 "oktobeonline: 0 Scheduled connection due in 29 minutes"
expect 17:00 "oktobeonline: 0 Scheduled connections disabled after 17:00"
exit $fail
