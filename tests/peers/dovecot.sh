#!/usr/bin/env bash
# A private POP3 server (Dovecot) for the tests, the demo and the benchmark,
# run as root from a scratch folder on 127.0.0.1 and a free port.
#
#   dovecot.sh start DIR [CERTS [INTROSPECTION]]  configure and start; prints the port
#   dovecot.sh stop DIR             stop the server started in DIR (by its PID)
#   dovecot.sh seed DIR USER FILE…  put message files into USER's mailbox
#
# DIR must lie on a path every user can traverse (such as /tmp): the
# server's helper processes run as other users. Mailbox users (password
# "secret", mail stored as nobody:nogroup, which the server requires since
# it refuses mail access as root) are "demo", "bench" and t1 to t40, or the
# names in DOVECOT_USERS. DIR/port holds the port, DIR/run/master.pid the
# server's PID, DIR/mail/USER/{new,cur,tmp} each mailbox.
#
# The plain port also offers STLS; DIR/tls_port holds a second port that
# speaks TLS from the first byte. Both use the certificate for "localhost"
# of the private authority in CERTS (made by tls_certs.sh; DIR/tls when
# not given), which only a prefix that trusts it accepts.
#
# With INTROSPECTION (an https address of the tests' identity provider,
# oauth_idp.py), the mailboxes sign in with an access token instead of a
# password: the oauth2 passdb with XOAUTH2 and OAUTHBEARER, each token
# checked at that address (trusting the tests' authority).
set -euo pipefail

usage() { sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
[ $# -ge 2 ] || usage
cmd=$1 dir=$2
shift 2

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# True once the server greets on the port.
greets() {
  local greeting
  exec 9<>"/dev/tcp/127.0.0.1/$1" 2>/dev/null || return 1
  IFS= read -r -t 2 greeting <&9 || greeting=
  exec 9<&- 9>&-
  [[ $greeting == +OK* ]]
}

master_pid() { cat "$dir/run/master.pid" 2>/dev/null || true; }

stop_server() {
  local pid
  pid=$(master_pid)
  [ -n "$pid" ] || return 0
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  rm -f "$dir/run/master.pid"
}

write_config() {
  local port=$1 tls_port=$2 mechanisms="plain login" passdb
  passdb="passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dir/users
}"
  if [ -n "$introspection" ]; then
    mechanisms="plain login xoauth2 oauthbearer"
    passdb="passdb {
  driver = oauth2
  args = $dir/oauth2.conf
}"
    # This Dovecot ignores "exp": the provider answers active false for an
    # expired or ended token.
    cat > "$dir/oauth2.conf" <<OAUTH
introspection_url = $introspection
introspection_mode = post
username_attribute = username
active_attribute = active
active_value = true
tls_ca_cert_file = $certs/ca.crt
OAUTH
  fi
  cat > "$dir/dovecot.conf" <<CONF
protocols = pop3
listen = 127.0.0.1
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
ssl = yes
ssl_cert = <$certs/server.crt
ssl_key = <$certs/server.key
ssl_min_protocol = TLSv1.2
disable_plaintext_auth = no
auth_mechanisms = $mechanisms
auth_failure_delay = 0
first_valid_uid = 1
mail_location = maildir:$dir/mail/%u
$passdb
userdb {
  driver = passwd-file
  args = username_format=%u $dir/users
}
protocol pop3 {
  mail_max_userip_connections = 100
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = $tls_port
    ssl = yes
  }
}
service imap-login {
  inet_listener imap {
    port = 0
  }
  inet_listener imaps {
    port = 0
  }
}
service anvil {
  unix_listener anvil-auth-penalty {
    mode = 0
  }
}
CONF
}

start() {
  stop_server
  mkdir -p "$dir"
  chmod 755 "$dir"
  rm -rf "$dir/run" "$dir/state" "$dir/mail"
  mkdir -p "$dir/run" "$dir/state" "$dir/mail"
  local users=${DOVECOT_USERS:-demo bench $(seq -f 't%g' 1 40 | tr '\n' ' ')}
  : > "$dir/users"
  for u in $users; do
    printf '%s:{PLAIN}secret:65534:65534::%s::\n' "$u" "$dir/mail/$u" >> "$dir/users"
    mkdir -p "$dir/mail/$u/new" "$dir/mail/$u/cur" "$dir/mail/$u/tmp"
  done
  chown -R 65534:65534 "$dir/mail"
  chmod 644 "$dir/users"

  "$(dirname "$0")/tls_certs.sh" "$certs"
  local port tls_port pid
  for _ in 1 2 3 4 5; do
    port=$(free_port)
    tls_port=$(free_port)
    [ "$tls_port" != "$port" ] || continue
    write_config "$port" "$tls_port"
    dovecot -c "$dir/dovecot.conf" 2>>"$dir/dovecot.log" || { sleep 0.2; continue; }
    for _ in $(seq 100); do greets "$port" && break; sleep 0.05; done
    if greets "$port"; then
      echo "$tls_port" > "$dir/tls_port"
      echo "$port" > "$dir/port"
      echo "$port"
      return 0
    fi
    stop_server  # the port was taken meanwhile: try another
  done
  echo "dovecot.sh: the server did not start (see $dir/dovecot.log)" >&2
  return 1
}

seed() {
  local user=$1 n=0
  shift
  [ -d "$dir/mail/$user/new" ] || { echo "dovecot.sh: no mailbox $user" >&2; return 1; }
  for f in "$@"; do
    n=$((n + 1))
    local name
    name="$(date +%s).M${n}P$$.seed"
    cp "$f" "$dir/mail/$user/tmp/$name"
    chown 65534:65534 "$dir/mail/$user/tmp/$name"
    mv "$dir/mail/$user/tmp/$name" "$dir/mail/$user/new/$name"
  done
}

case "$cmd" in
  start) certs=${1:-$dir/tls}; introspection=${2:-}; start ;;
  stop) stop_server ;;
  seed) [ $# -ge 1 ] || usage; seed "$@" ;;
  *) usage ;;
esac
