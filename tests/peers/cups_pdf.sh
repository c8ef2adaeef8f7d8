#!/usr/bin/env bash
# A private print server (CUPS) with one PDF printer, one for each test
# desktop (scripts/desktops.sh), run as root from a scratch folder, reached
# through a socket in that folder.
#
#   cups_pdf.sh start DIR   configure and start; prints the printer's name
#   cups_pdf.sh stop DIR    stop the server started in DIR (by its PID)
#
# Programs reach the server with CUPS_SERVER=DIR/cups.sock; Wine shows its
# printer as the default printer. The printer writes each job as a PDF file
# into DIR/out, named after the document. The PDF backend reads its settings
# from a fixed folder: the printer's own file there
# (/etc/cups/cups-pdf-NAME.conf) is written at start and removed at stop.
# DIR must lie on a path every user can traverse (such as /tmp): the
# server's filters run as the user lp.
set -euo pipefail

usage() { sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
[ $# -ge 2 ] || usage
cmd=$1 dir=$2

# One name per folder, so servers of several checkouts never share a file.
name="pdf$(printf '%s' "$dir" | md5sum | cut -c1-10)"
backend_conf="/etc/cups/cups-pdf-$name.conf"

server_pid() { cat "$dir/cupsd.pid" 2>/dev/null || true; }

stop_server() {
  local pid
  pid=$(server_pid)
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  rm -f "$dir/cupsd.pid" "$backend_conf"
}

write_config() {
  cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/error_log
AccessLog $dir/access_log
PageLog $dir/page_log
SystemGroup root
FileDevice No
CONF
  cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
DefaultAuthType None
LogLevel warn
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat > "$backend_conf" <<CONF
Out $dir/out
Spool $dir/pdf-spool
Log $dir/pdf-log
AnonDirName $dir/out
UserUMask 0022
Grp root
CONF
}

start() {
  stop_server
  rm -rf "$dir"
  mkdir -p "$dir"/{etc/ppd,spool,cache,state,tmp,out,pdf-spool,pdf-log}
  chmod 755 "$dir"
  chmod 1777 "$dir/tmp" "$dir/spool"
  write_config
  # Its output goes to its logs: an open pipe would keep the caller waiting.
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >/dev/null 2>&1 &
  echo $! > "$dir/cupsd.pid"
  for _ in $(seq 100); do [ -S "$dir/cups.sock" ] && break; sleep 0.05; done
  export CUPS_SERVER="$dir/cups.sock"
  for _ in $(seq 50); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
  lpadmin -p "$name" -E -v "cups-pdf:/$name" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -d "$name"
  [ -n "$(server_pid)" ] && kill -0 "$(server_pid)"
  echo "$name"
}

case "$cmd" in
  start) start ;;
  stop) stop_server ;;
  *) usage ;;
esac
