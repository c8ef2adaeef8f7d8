# The desktops the Windows tests run on. Sourced by scripts/lib.sh.
#
# A desktop is an Xvfb display, a Wine prefix and a print server of its own:
# build/win32/desktops/N/ holds the prefix (copied from the template prefix
# build/wineprefix at the start of a run), the recycle bin, the PIDs, and
# "env", the variables a program needs to run there (DISPLAY, WINEPREFIX,
# CUPS_SERVER, XDG_DATA_HOME). Programs in one prefix see neither the
# windows, nor the printers, nor the wineserver of another, so a test on
# its own desktop owns the focus, the activation, the dial-up handler's
# window and the printer list.
#
# CTest hands the desktops out: every Windows test asks for one
# (RESOURCE_GROUPS desktops:1), "resources.json" lists them, and the
# wrapper every test program runs through (build/win32/wine-run) reads
# which one the test got.

DESKTOPS_DIR=$ROOT/build/win32/desktops
DESKTOP_TEMPLATE=$ROOT/build/wineprefix

# How many desktops: DEV_DESKTOPS, or two per processor core. A window test
# mostly waits (for its windows, timers and peers): on 2 cores the Windows
# tests took 159 s on 2 desktops and 107 s on 4.
desktop_count() {
  local n=${DEV_DESKTOPS:-$((2 * $(nproc)))}
  [ "$n" -ge 2 ] 2>/dev/null || n=2
  echo "$n"
}

# The print server's folder of desktop N: under /tmp, since the server's
# filters run as another user; one per build folder and desktop.
desktop_print_dir() {
  printf '/tmp/util-print-%s-%s' "$(printf '%s' "$ROOT/build/win32" | md5sum | cut -c1-12)" "$1"
}

# Starts a desktop's display; prints its number. Its PID goes to DIR/xvfb.pid.
desktop_display() {
  local dir=$1 fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" </dev/null >/dev/null 2>&1 &
  echo $! > "$dir/xvfb.pid"
  for _ in $(seq 200); do [ -s "$fd_file" ] && break; sleep 0.05; done
  head -n1 "$fd_file"
  rm -f "$fd_file"
}

# A copy of the template prefix. Wine's programs and libraries in system32
# (nine tenths of its 600 MB) are hard links to the template's: nothing
# writes them once the template is up to date, and the desktops run the
# same Wine. Everything else (registry, user folders, the spooler's
# drivers, .ini files) is copied, since Wine rewrites such files in place.
desktop_prefix() {
  local template=$1 prefix=$2 system32=drive_c/windows/system32
  mkdir -p "$prefix"
  [ -f "$template/system.reg" ] || return 1
  tar -C "$template" -cf - --no-wildcards-match-slash \
    --exclude="./$system32/*.dll" --exclude="./$system32/*.exe" . | tar -C "$prefix" -xf - || return 1
  find "$template/$system32" -maxdepth 1 -type f \( -name '*.dll' -o -name '*.exe' \) \
    -exec cp -l -t "$prefix/$system32" {} +
}

# Makes desktop N from the template prefix and starts it: its display, its
# print server, its wineserver (persistent) and Wine's services, warmed up
# with one program so the first test does not pay for them.
desktop_start() {
  local id=$1 dir="$DESKTOPS_DIR/$1" display print
  rm -rf "$dir"
  mkdir -p "$dir/data/Trash/files" "$dir/data/Trash/info"
  desktop_prefix "$DESKTOP_TEMPLATE" "$dir/prefix" || { log "desktop $id: its prefix was not made"; return 1; }
  display=$(desktop_display "$dir")
  print=$(desktop_print_dir "$id")
  if ! "$ROOT/tests/peers/cups_pdf.sh" start "$print" >"$dir/print-server.log" 2>&1; then
    log "desktop $id: the print server did not start ($dir/print-server.log)"
    return 1
  fi
  {
    printf 'DISPLAY=:%s\n' "$display"
    printf 'WINEPREFIX=%q\n' "$dir/prefix"
    printf 'CUPS_SERVER=%q\n' "$print/cups.sock"
    printf 'XDG_DATA_HOME=%q\n' "$dir/data"
  } > "$dir/env"
  # The persistent server and the session's background programs started
  # here, their output in start.log (see start_wine), and the program that
  # keeps the desktop in use (tests/support/desktop_keeper.cpp).
  if ! (
    set -a; . "$dir/env"; set +a
    wineserver -p && wine cmd /c exit || exit 1
    wine "$ROOT/build/win32/bin/desktop_keeper.exe" &
  ) </dev/null >"$dir/start.log" 2>&1; then
    log "desktop $id: Wine did not start ($dir/start.log)"
    rm -f "$dir/env"
    return 1
  fi
}

desktop_stop() {
  local id=$1 dir="$DESKTOPS_DIR/$1" pid
  [ -d "$dir" ] || return 0
  rm -f "$dir/env"
  if [ -f "$dir/prefix/system.reg" ]; then
    WINEPREFIX="$dir/prefix" wineserver -k >/dev/null 2>&1 || true
  fi
  pid=$(cat "$dir/xvfb.pid" 2>/dev/null || true)
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -f "$dir/xvfb.pid"
  "$ROOT/tests/peers/cups_pdf.sh" stop "$(desktop_print_dir "$id")" >/dev/null 2>&1 || true
}

# Starts the pool: the template prefix made or brought up to date once,
# then every desktop at once; writes the list of desktops CTest hands out.
desktops_start() {
  local count i
  count=$(desktop_count)
  desktops_stop
  mkdir -p "$DESKTOPS_DIR"
  log "preparing $count desktops in ${DESKTOPS_DIR#"$ROOT"/}"
  (
    export WINEPREFIX=$DESKTOP_TEMPLATE
    start_display
    start_wine
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    stop_display
  ) || { log "the template prefix $DESKTOP_TEMPLATE did not start"; return 1; }
  for ((i = 0; i < count; i++)); do desktop_start "$i" & done
  wait
  for ((i = 0; i < count; i++)); do
    [ -f "$DESKTOPS_DIR/$i/env" ] || { log "desktop $i did not start"; return 1; }
  done
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": ['
    for ((i = 0; i < count; i++)); do
      [ "$i" -gt 0 ] && printf ', '
      printf '{"id": "%s", "slots": 1}' "$i"
    done
    printf ']}]}\n'
  } > "$DESKTOPS_DIR/resources.json"
}

# The Windows tests through CTest with the started desktops as its pool of
# resources (CTEST ARGS after the jobs); CTest's own exit status.
desktops_ctest() {
  ctest --preset win32 -j "${DEV_JOBS:-$(desktop_count)}" --timeout 600 \
    --resource-spec-file "$DESKTOPS_DIR/resources.json" "$@"
}

# Stops every desktop this build folder started (found by their folders).
desktops_stop() {
  local dir
  for dir in "$DESKTOPS_DIR"/[0-9]*; do
    [ -d "$dir" ] && desktop_stop "$(basename "$dir")"
  done
  rm -f "$DESKTOPS_DIR/resources.json"
}
