#!/usr/bin/env bash
# Certificates for the tests' mail servers, made once per folder:
#   tls_certs.sh DIR
# DIR/ca.crt (and ca.der)   a private authority, trusted only inside the
#                           test Wine prefix (tools/trust_root adds it there)
# DIR/server.crt, .key      its certificate for the host name "localhost"
# DIR/untrusted.crt, .key   a self-signed certificate for "localhost" that
#                           nothing trusts
# Runs of several servers may ask at once: the first makes them, the
# others wait for it. Nothing outside DIR is touched.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
dir=$1
mkdir -p "$dir"
chmod 755 "$dir"
exec 8>"$dir/.lock"
flock 8
[ -f "$dir/done" ] && exit 0

days=3650
subject_ext="subjectAltName=DNS:localhost"
cd "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days $days \
  -subj "/O=Mail tests/CN=Mail tests private authority" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl x509 -in ca.crt -outform der -out ca.der
openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj "/O=Mail tests/CN=localhost" 2>/dev/null
printf '%s\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n' "$subject_ext" > server.ext
openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out server.crt -days $days \
  -extfile server.ext 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -keyout untrusted.key -out untrusted.crt -days $days \
  -subj "/O=Somebody else/CN=localhost" -addext "$subject_ext" -addext "extendedKeyUsage=serverAuth" 2>/dev/null
chmod 644 ./*.crt ca.der
rm -f server.csr server.ext
touch done
