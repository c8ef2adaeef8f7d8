# Functions behind ./dev. Sourced, not run.

# Debian packages the project needs on a fresh machine: one list a
# subsystem in scripts/packages/*.txt, one package a line.
mapfile -t DEV_PACKAGES < <(cat "$ROOT"/scripts/packages/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)

log() { printf '\033[1m[dev]\033[0m %s\n' "$*" >&2; }

dev_setup() {
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "enabling the i386 architecture"
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/lock
    DEV_NEED_UPDATE=1
  fi
  for p in "${DEV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  log "installing: ${missing[*]}"
  # Debian's maintainer scripts must not start system-wide daemons (the
  # mail servers run only as the tests' own processes).
  local policy=/usr/sbin/policy-rc.d created_policy=0
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' > "$policy"; chmod +x "$policy"; created_policy=1
  fi
  # Wait for the package lock rather than fail when another install runs.
  local lock=(-o DPkg::Lock::Timeout=600)
  apt-get "${lock[@]}" update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get "${lock[@]}" install -y -q --no-install-recommends "${missing[@]}" >/dev/null
  [ $created_policy -eq 1 ] && rm -f "$policy"
  return 0
}

dev_build() {
  log "building the native preset"
  cmake --preset native >/dev/null
  cmake --build --preset native
  log "building the fuzz preset"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  log "building the win32 preset"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32
}

# shellcheck source=scripts/desktops.sh
. "$ROOT/scripts/desktops.sh"

# --- Wine and the display ---------------------------------------------------

export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
XVFB_PID=

# Starts Xvfb on a free display, unless one is already given.
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  XVFB_PID=
}

# A 32-bit prefix with a persistent server, warmed up, with windows that
# Wine's X11 driver neither manages nor decorates.
#
# The server must be the persistent one. Wine's background programs
# (wineboot, services, explorer, winedevice, plugplay, svchost) start with
# the first program of a session and inherit its output; a server that
# ends a few seconds after its last program ends the session with it, and
# the program that starts the next one hands them its output pipe, so a
# test run by CTest (which reads to the pipe's end) lasted until that
# session ended too: 10 s to 300 s for a test of 1 s. So a server already
# running (wineboot leaves one that ends) is replaced by a persistent one,
# and the warm-up below starts the session with its output going nowhere.
start_wine() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix"
    wineboot -i >/dev/null 2>&1 || true
  fi
  if ! wineserver -p 2>/dev/null; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p || { log "the Wine server of $WINEPREFIX did not start"; return 1; }
  fi
  wine cmd /c exit >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# Counts from a ctest log: adds to the PASSED/FAILED totals.
PASSED=0 FAILED=0
count_ctest() {
  local line total failed
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n1) || true
  if [ -z "$line" ]; then FAILED=$((FAILED + 1)); return; fi
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  PASSED=$((PASSED + total - failed)); FAILED=$((FAILED + failed))
}

dev_test() {
  local jobs=${DEV_JOBS:-2} status=0 logdir="$ROOT/build/test-logs"
  mkdir -p "$logdir"
  log "native tests"
  ctest --preset native -j "$jobs" --output-on-failure "$@" 2>&1 | tee "$logdir/native.log" || status=1
  count_ctest "$logdir/native.log"

  run_fuzzers "${DEV_FUZZ_SECONDS:-5}" || status=1

  log "win32 tests under Wine"
  trap 'desktops_stop' EXIT
  desktops_start
  local started=$SECONDS
  desktops_ctest --output-on-failure "$@" 2>&1 | tee "$logdir/win32.log" || status=1
  log "win32 tests took $((SECONDS - started)) s"
  count_ctest "$logdir/win32.log"
  desktops_stop
  trap - EXIT

  echo "$PASSED passed, $FAILED failed"
  [ $status -eq 0 ] && [ $FAILED -eq 0 ]
}

# ./dev desktops: the test desktops started and left running, to run
# tests by hand (README); "./dev desktops ctest CTEST ARGS" runs Windows
# tests on them; "./dev desktops stop" ends them.
dev_desktops() {
  case "${1:-start}" in
    start)
      dev_setup
      desktops_start
      for env in "$DESKTOPS_DIR"/[0-9]*/env; do log "desktop $(basename "$(dirname "$env")"): $(tr '\n' ' ' < "$env")"; done
      log "stop them with: ./dev desktops stop" ;;
    ctest) shift; desktops_ctest "$@" ;;
    stop) desktops_stop ;;
    *) echo "usage: ./dev desktops [start|ctest CTEST ARGS|stop]" >&2; return 2 ;;
  esac
}

# ./dev test --repeat N [--clean-clone] [CTEST ARGS]: N whole "./dev test"
# runs in a row, in this checkout or in a fresh clone of its HEAD (made
# once, removed at the end). Each run's output goes to
# build/test-logs/repeat-I.log and its result and times to repeat.log.
dev_repeat() {
  local count=${1:-} root=$ROOT clone= failed=0 i logdir="$ROOT/build/test-logs"
  [[ $count =~ ^[1-9][0-9]*$ ]] || { echo "usage: ./dev test --repeat N [--clean-clone] [CTEST ARGS]" >&2; return 2; }
  shift
  if [ "${1:-}" = --clean-clone ]; then
    shift
    clone=$(mktemp -d /tmp/util-clone-XXXXXX)
    git clone -q "$ROOT" "$clone"
    root=$clone
    log "a fresh clone of $(git -C "$ROOT" rev-parse --short HEAD) in $clone"
  fi
  mkdir -p "$logdir"
  : > "$logdir/repeat.log"
  for ((i = 1; i <= count; i++)); do
    local started=$SECONDS result=passed out="$logdir/repeat-$i.log"
    # As on a fresh machine: no display or prefix of this shell's.
    env -u WINEPREFIX -u DISPLAY "$root/dev" test "$@" > "$out" 2>&1 || { result=FAILED; failed=$((failed + 1)); }
    {
      echo "run $i: $result in $((SECONDS - started)) s ($(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$out" | tail -n1)," \
        "$(grep -oE 'win32 tests took [0-9]+ s' "$out" | tail -n1))"
      sed -n '/The following tests FAILED/,/^Errors while running/p' "$out" | sed 's/^/  /'
      grep -E 'fuzz .*FAILED' "$out" | sed 's/^/  /' || true
    } | tee -a "$logdir/repeat.log"
  done
  echo "$((count - failed)) of $count runs passed" | tee -a "$logdir/repeat.log"
  [ -z "$clone" ] || rm -rf "$clone"
  [ $failed -eq 0 ]
}

# Runs every fuzz target for the given seconds from its seed corpus (copied,
# so runs do not grow the committed seeds). Counts each target as a test.
run_fuzzers() {
  local seconds=$1 rc=0 work
  work=$(mktemp -d)
  for f in "$ROOT"/build/fuzz/*_fuzz "$ROOT"/build/fuzz/bin/*_fuzz; do
    [ -x "$f" ] || continue
    local name corpus
    name=$(basename "$f")
    corpus="$work/$name"; mkdir -p "$corpus"
    [ -d "$ROOT/fuzz/corpus/$name" ] && cp -r "$ROOT/fuzz/corpus/$name/." "$corpus/"
    if "$f" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$corpus" \
        >"$ROOT/build/test-logs/$name.log" 2>&1; then
      log "fuzz $name: clean for ${seconds}s"; PASSED=$((PASSED + 1))
    else
      log "fuzz $name: FAILED (build/test-logs/$name.log)"; tail -n 30 "$ROOT/build/test-logs/$name.log"
      FAILED=$((FAILED + 1)); rc=1
    fi
  done
  rm -rf "$work"
  return $rc
}

dev_fuzz() {
  mkdir -p "$ROOT/build/test-logs"
  run_fuzzers "${1:-120}"
  echo "$PASSED passed, $FAILED failed"
  [ $FAILED -eq 0 ]
}

dev_demo() {
  start_display
  trap 'stop_wine; stop_display' EXIT
  start_wine
  "$ROOT/scripts/demo.sh" "$@"
}

dev_bench() {
  start_display
  trap 'stop_wine; stop_display' EXIT
  start_wine
  local ran=0
  for b in "$ROOT"/bench/*.sh; do
    [ -e "$b" ] || continue
    log "benchmark $(basename "$b")"
    "$b"; ran=1
  done
  [ $ran -eq 1 ] || log "no benchmarks yet"
}

# Pictures of every administration window: admin_screens opens each one
# and names it in a request file; this loop takes the picture with
# ImageMagick's import and removes the request.
dev_screenshots() {
  local out="$ROOT/docs/screenshots" work request program="$ROOT/build/win32/bin/admin_screens.exe" pid
  mkdir -p "$out"
  work=$(mktemp -d)
  request="$work/request.txt"
  start_display
  trap 'stop_wine; stop_display' EXIT
  start_wine
  wine "$program" "$(winepath -w "$work")" "$(winepath -w "$request")" &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    if [ -s "$request" ]; then
      local name x y w h
      read -r name x y w h < "$request"
      import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
      log "picture: docs/screenshots/$name.png"
      rm -f "$request"
    fi
    sleep 0.1
  done
  wait "$pid" || true
  rm -rf "$work"
  stop_wine; stop_display; trap - EXIT
}
