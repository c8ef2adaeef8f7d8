#!/usr/bin/env bash
# Certificates for the tests' mail servers and hostile peers, made once per
# folder:
#   tls_certs.sh DIR
# DIR/ca.crt (and ca.der)   a private authority, trusted only inside the
#                           test Wine prefix (tools/trust_root adds it there)
# DIR/server.crt, .key      its certificate for the host name "localhost"
# DIR/untrusted.crt, .key   a self-signed certificate for "localhost" that
#                           nothing trusts (the one the tests pin)
# DIR/NAME.sha256           the SHA-256 fingerprint of NAME.crt, as
#                           openssl prints it ("AB:CD:...")
# and the hostile ones, each NAME.pem (the chain a server sends) and
# NAME.key, all for "localhost" unless said otherwise:
#   partial    issued by an authority that is neither sent nor trusted
#   notca      issued by an ordinary server certificate of the private
#              authority (for another host, basic constraints CA:FALSE):
#              a server's certificate is no authority; sent with it
#   expired    issued by the private authority, valid 2020 only
#   notyet     issued by the private authority, valid from 2040
#   wrongname  issued by the private authority for "mail.example.org"
# Runs of several servers may ask at once: the first makes them, the
# others wait for it. Nothing outside DIR is touched.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
dir=$1
mkdir -p "$dir"
chmod 755 "$dir"
exec 8>"$dir/.lock"
flock 8
[ -f "$dir/done-3" ] && exit 0

days=3650
cd "$dir"
rm -rf issued index.txt* serial*
mkdir -p issued
: > index.txt
echo 1000 > serial
cat > ca.cnf <<'EOF'
[ca]
default_ca = tests
[tests]
database = index.txt
new_certs_dir = issued
serial = serial
default_md = sha256
policy = any
unique_subject = no
[any]
organizationName = optional
commonName = supplied
[leaf]
subjectAltName = DNS:localhost
extendedKeyUsage = serverAuth
basicConstraints = CA:FALSE
[leaf_elsewhere]
subjectAltName = DNS:mail.example.org
extendedKeyUsage = serverAuth
basicConstraints = CA:FALSE
[not_an_authority]
subjectAltName = DNS:attacker.example
extendedKeyUsage = serverAuth
basicConstraints = CA:FALSE
EOF

authority() {  # NAME SUBJECT: a self-signed authority
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.crt" -days $days -subj "$2" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
# NAME ISSUER EXTENSIONS START END [CN]: a certificate signed by ISSUER
issue() {
  openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/O=Mail tests/CN=${6:-localhost}" 2>/dev/null
  openssl ca -batch -config ca.cnf -cert "$2.crt" -keyfile "$2.key" -in "$1.csr" -out "$1.crt" -notext \
    -extensions "$3" -startdate "$4" -enddate "$5" 2>/dev/null
  rm -f "$1.csr"
}
now=$(date -u -d '-1 day' +%y%m%d%H%M%SZ)
later=$(date -u -d "+$days days" +%y%m%d%H%M%SZ)

authority ca "/O=Mail tests/CN=Mail tests private authority"
openssl x509 -in ca.crt -outform der -out ca.der
issue server ca leaf "$now" "$later"
openssl req -x509 -newkey rsa:2048 -nodes -keyout untrusted.key -out untrusted.crt -days $days \
  -subj "/O=Somebody else/CN=localhost" -addext "subjectAltName=DNS:localhost" \
  -addext "extendedKeyUsage=serverAuth" 2>/dev/null

authority stranger "/O=Somebody else/CN=An authority nobody trusts"
issue partial stranger leaf "$now" "$later"
issue notca_issuer ca not_an_authority "$now" "$later" attacker.example
issue notca notca_issuer leaf "$now" "$later"
issue expired ca leaf 200101000000Z 201231000000Z
issue notyet ca leaf 400101000000Z 401231000000Z
issue wrongname ca leaf_elsewhere "$now" "$later" mail.example.org

for name in server untrusted partial expired notyet wrongname; do cp "$name.crt" "$name.pem"; done
cat notca.crt notca_issuer.crt > notca.pem
for name in server untrusted partial notca expired notyet wrongname; do
  openssl x509 -in "$name.crt" -noout -fingerprint -sha256 | sed 's/.*=//' > "$name.sha256"
done
chmod 644 ./*.crt ./*.pem ./*.sha256 ca.der
touch done-3
