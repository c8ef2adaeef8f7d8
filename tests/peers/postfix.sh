#!/usr/bin/env bash
# A private mail relay for the SMTP tests, the demo and the benchmark:
#   postfix.sh start DIR [CERTS [INTROSPECTION]]  configure and start it in DIR (created; must be under /tmp)
#   postfix.sh stop DIR    stop it and its SASL service
# It listens on 127.0.0.1 on two free high ports chosen now: SMTP_PORT for
# plain relaying, AUTH_PORT where AUTH LOGIN is required (user "relayuser",
# password "relaypass"). Every accepted recipient is delivered to the one
# maildir MAILDIR; nothing ever leaves the machine. Recipients beginning
# with "reject" get 550 at RCPT and those beginning with "tempfail" 450; a
# Subject containing "refuse-after-data" gets 550 and one containing
# "defer-after-data" 451 after the data.
# Three more ports speak TLS with certificates from CERTS (tls_certs.sh;
# DIR/tls when not given): SMTPS_PORT from the first byte (relaying as on
# SMTP_PORT, AUTH offered), SUBMISSION_PORT requiring STARTTLS and AUTH,
# and UNTRUSTED_PORT from the first byte with a certificate nobody trusts.
# Their log lines are tagged postfix/smtps, postfix/submission and
# postfix/untrusted. DIR/env holds these values as NAME=value lines. Runs
# as root; touches nothing outside DIR except making CERTS.
# With INTROSPECTION (an https address of the tests' identity provider,
# oauth_idp.py), the relay's SASL service signs users in with an access
# token instead of a password (XOAUTH2 and OAUTHBEARER, each token checked
# at that address): the submission port offers them after STARTTLS.
set -euo pipefail

usage() { echo "usage: $0 start|stop DIR [CERTS [INTROSPECTION]]" >&2; exit 2; }
[ $# -ge 2 ] && [ $# -le 4 ] || usage
cmd=$1
DIR=$(realpath -m "$2")
CERTS=$(realpath -m "${3:-$DIR/tls}")
INTROSPECTION=${4:-}
case "$DIR" in /tmp/?*) ;; *) echo "$0: DIR must lie under /tmp" >&2; exit 2 ;; esac
# The relay's unprivileged users (postfix, nobody) must reach DIR.
parent=$(dirname "$DIR")
if [ "$cmd" = start ] && [ -d "$parent" ] && [ $(( 0$(stat -c %a "$parent") & 1 )) -eq 0 ]; then
  echo "$0: $parent must be searchable by every user" >&2; exit 2
fi

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

stop_relay() {
  if [ -f "$DIR/etc/main.cf" ]; then
    postfix -c "$DIR/etc" stop </dev/null >/dev/null 2>&1 || true
  fi
  # Whatever is left of this instance only, by its recorded PIDs.
  local pidfile pid
  for pidfile in "$DIR/queue/pid/master.pid" "$DIR/dovecot/run/master.pid"; do
    [ -f "$pidfile" ] || continue
    pid=$(tr -dc '0-9' < "$pidfile")
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
}

start_relay() {
  stop_relay
  rm -rf "$DIR"
  mkdir -p "$DIR"/{etc,queue,data,log,mail,dovecot/run,dovecot/state}
  chmod 755 "$DIR" "$DIR/etc" "$DIR/log" "$DIR/dovecot"
  chown root:root "$DIR/queue"
  chown postfix:postfix "$DIR/data" "$DIR/log"
  chown nobody:nogroup "$DIR/mail"

  "$(dirname "$0")/tls_certs.sh" "$CERTS"
  local smtp_port auth_port smtps_port submission_port untrusted_port ports=()
  for name in smtp_port auth_port smtps_port submission_port untrusted_port; do
    local port
    port=$(free_port)
    while [[ " ${ports[*]} " == *" $port "* ]]; do port=$(free_port); done
    ports+=("$port")
    printf -v "$name" '%s' "$port"
  done

  # SASL: Dovecot's auth service alone, with one user, over a socket here.
  printf 'relayuser:{PLAIN}relaypass\n' > "$DIR/dovecot/users"
  local mechanisms="plain login" penalty="" passdb="driver = passwd-file
  args = scheme=PLAIN username_format=%u $DIR/dovecot/users"
  if [ -n "$INTROSPECTION" ]; then
    mechanisms="plain login xoauth2 oauthbearer"
    # Refused tokens are tested on purpose: no growing delay after each.
    penalty="auth_failure_delay = 0"
    passdb="driver = oauth2
  args = $DIR/dovecot/oauth2.conf"
    cat > "$DIR/dovecot/oauth2.conf" <<OAUTH
introspection_url = $INTROSPECTION
introspection_mode = post
username_attribute = username
active_attribute = active
active_value = true
tls_ca_cert_file = $CERTS/ca.crt
OAUTH
  fi
  cat > "$DIR/dovecot/dovecot.conf" <<CONF
base_dir = $DIR/dovecot/run
state_dir = $DIR/dovecot/state
log_path = $DIR/log/dovecot.log
protocols =
ssl = no
disable_plaintext_auth = no
auth_mechanisms = $mechanisms
$penalty
passdb {
  $passdb
}
userdb {
  driver = static
  args = uid=nobody gid=nogroup home=$DIR/mail
}
service auth {
  unix_listener $DIR/dovecot/auth {
    mode = 0666
  }
}
service anvil {
  chroot =
}
CONF
  # The daemons must not keep the caller's output open (CTest waits for it).
  dovecot -c "$DIR/dovecot/dovecot.conf" </dev/null >>"$DIR/log/dovecot.out" 2>&1

  cat > "$DIR/etc/main.cf" <<CONF
compatibility_level = 3.6
queue_directory = $DIR/queue
data_directory = $DIR/data
mail_owner = postfix
setgid_group = postdrop
maillog_file = $DIR/log/postfix.log
maillog_file_prefixes = $DIR/log
myhostname = relay.smtp-test.example
mydomain = smtp-test.example
myorigin = \$myhostname
mydestination =
inet_interfaces = 127.0.0.1
inet_protocols = ipv4
mynetworks = 127.0.0.0/8
biff = no
smtputf8_enable = no
message_size_limit = 104857600
mailbox_size_limit = 0
virtual_mailbox_limit = 0
# Every domain is delivered here, into one maildir.
virtual_mailbox_domains = static:all
virtual_mailbox_base = $DIR/mail
virtual_mailbox_maps = regexp:$DIR/etc/mailbox
virtual_uid_maps = static:65534
virtual_gid_maps = static:65534
# Nothing leaves: every other route ends in the error agent.
default_transport = error:outbound mail is disabled in the test relay
relay_transport = error:outbound mail is disabled in the test relay
relay_domains =
smtpd_relay_restrictions = permit_mynetworks, reject_unauth_destination
smtpd_recipient_restrictions = check_recipient_access regexp:$DIR/etc/recipient_access
header_checks = regexp:$DIR/etc/header_checks
smtpd_sasl_type = dovecot
smtpd_sasl_path = $DIR/dovecot/auth
smtpd_sasl_auth_enable = no
smtpd_tls_security_level = none
smtpd_tls_cert_file = $CERTS/server.crt
smtpd_tls_key_file = $CERTS/server.key
smtpd_tls_mandatory_protocols = >=TLSv1.2
# Clients here are remote ones: their headers are left as they are.
local_header_rewrite_clients =
CONF
  printf '/./ catchall/\n' > "$DIR/etc/mailbox"
  printf '/^reject/ 550 5.1.1 refused by the test relay\n/^tempfail/ 450 4.2.0 try again later\n' \
    > "$DIR/etc/recipient_access"
  printf '/^Subject:.*refuse-after-data/ REJECT 5.7.1 refused after the data\n/^Subject:.*defer-after-data/ REJECT 4.7.1 deferred after the data\n' \
    > "$DIR/etc/header_checks"

  # Every service without a chroot; outbound agents are the error agent.
  cat > "$DIR/etc/master.cf" <<CONF
$smtp_port inet n - n - - smtpd
$auth_port inet n - n - - smtpd -o smtpd_sasl_auth_enable=yes -o smtpd_client_restrictions=permit_sasl_authenticated,reject
$smtps_port inet n - n - - smtpd -o syslog_name=postfix/smtps -o smtpd_tls_wrappermode=yes -o smtpd_tls_security_level=encrypt -o smtpd_sasl_auth_enable=yes
$submission_port inet n - n - - smtpd -o syslog_name=postfix/submission -o smtpd_tls_security_level=encrypt -o smtpd_tls_auth_only=yes -o smtpd_sasl_auth_enable=yes -o smtpd_client_restrictions=permit_sasl_authenticated,reject
$untrusted_port inet n - n - - smtpd -o syslog_name=postfix/untrusted -o smtpd_tls_wrappermode=yes -o smtpd_tls_security_level=encrypt -o smtpd_tls_cert_file=$CERTS/untrusted.crt -o smtpd_tls_key_file=$CERTS/untrusted.key
tlsmgr    unix  - - n 1000? 1 tlsmgr
pickup    unix  n - n 60 1 pickup
cleanup   unix  n - n -  0 cleanup
qmgr      unix  n - n 300 1 qmgr
rewrite   unix  - - n -  - trivial-rewrite
bounce    unix  - - n -  0 bounce
defer     unix  - - n -  0 bounce
trace     unix  - - n -  0 bounce
verify    unix  - - n -  1 verify
flush     unix  n - n 1000? 0 flush
proxymap  unix  - - n -  - proxymap
proxywrite unix - - n -  1 proxymap
showq     unix  n - n -  - showq
error     unix  - - n -  - error
retry     unix  - - n -  - error
discard   unix  - - n -  - discard
smtp      unix  - - n -  - error
relay     unix  - - n -  - error
lmtp      unix  - - n -  - error
local     unix  - n n -  - error
virtual   unix  - n n -  - virtual
anvil     unix  - - n -  1 anvil
scache    unix  - - n -  1 scache
postlog   unix-dgram n - n - 1 postlogd
CONF

  if ! postfix -c "$DIR/etc" start </dev/null >"$DIR/log/start.err" 2>&1; then
    echo "$0: postfix did not start:" >&2
    cat "$DIR/log/start.err" "$DIR/log/postfix.log" >&2 2>/dev/null || true
    stop_relay
    exit 1
  fi
  # Ready when both ports accept connections.
  local port ok
  for port in "${ports[@]}"; do
    ok=0
    for _ in $(seq 100); do
      if python3 -c "import socket,sys; socket.create_connection(('127.0.0.1',$port),1).close()" 2>/dev/null; then
        ok=1; break
      fi
      sleep 0.1
    done
    [ $ok -eq 1 ] || { echo "$0: port $port never opened" >&2; tail -n 20 "$DIR/log/postfix.log" >&2; stop_relay; exit 1; }
  done
  cat > "$DIR/env" <<ENV
SMTP_PORT=$smtp_port
AUTH_PORT=$auth_port
SMTPS_PORT=$smtps_port
SUBMISSION_PORT=$submission_port
UNTRUSTED_PORT=$untrusted_port
UNTRUSTED_SHA256=$(cat "$CERTS/untrusted.sha256")
LOG=$DIR/log/postfix.log
MAILDIR=$DIR/mail/catchall
AUTH_USER=relayuser
AUTH_PASSWORD=relaypass
ENV
  cat "$DIR/env"
}

case "$cmd" in
  start) start_relay ;;
  stop) stop_relay ;;
  *) usage ;;
esac
