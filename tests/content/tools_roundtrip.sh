#!/usr/bin/env bash
# tools_roundtrip.sh HOST RUNNER: the content exports against independent
# tools, byte for byte. Files of many sizes are encoded by coreutils base64,
# sharutils uuencode, qprint and Convert::BinHex and decoded by the exports
# (through the host, under Wine); the export's base64 is decoded by
# coreutils; messages built by mpack are scanned, decoded and extracted.
set -uo pipefail
host=$1 runner=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { printf 'Z:%s' "$1"; }
# The host writes through the C runtime in text mode: CR LF line ends.
run_host() { "$runner" "$host" "$(win "$work")" "$@" | tr -d '\r'; }

passed=0 failed=0
ok() { passed=$((passed + 1)); }
bad() { failed=$((failed + 1)); echo "FAILED: $*"; }
same() { if cmp -s "$2" "$3"; then ok; else bad "$1 ($2 differs from $3)"; fi; }

# --- transfer encodings over random files --------------------------------
sizes="0 1 2 3 45 46 57 1024 102400 3000000"
cmds=()
for n in $sizes; do
  f=$work/r$n
  head -c "$n" /dev/urandom > "$f"
  base64 "$f" > "$f.b64"
  uuencode "$f" "r$n.bin" > "$f.uu"
  qprint -e -b "$f" "$f.qp"
  perl "$here/binhex_encode.pl" "$f" "$f.hqx" BINA
  cmds+=(decode64 "$(win "$f.b64")" "$(win "$f.from64")" 0 ""
         decodeuu "$(win "$f.uu")" "$(win "$f.fromuu")" 0 ""
         decodeqp "$(win "$f.qp")" "$(win "$f.fromqp")" 0 0 ""
         decodebinhex "$(win "$f.hqx")" "$(win "$f.fromhqx")" "$(win "$f.hqxtmp")" 0 ""
         encode64 "$(win "$f")" "$(win "$f.ours64")")
done

# A text file: qprint's text mode, lines ending in LF; the decoder writes CR LF.
text=$work/text
{ echo "plain line"; echo "equals = sign, trailing space "; printf 'caf\xe9 %0200d\n' 7; echo; echo "tab	end"; } > "$text"
qprint -e "$text" "$text.qp"
sed 's/$/\r/' "$text" > "$text.crlf"
cmds+=(decodeqp "$(win "$text.qp")" "$(win "$text.fromqp")" 0 0 "")

# A BinHex "TEXT" file with Macintosh line ends: each CR comes out as CR LF.
printf 'first\rsecond\rthird' > "$work/mac"
perl "$here/binhex_encode.pl" "$work/mac" "$work/mac.hqx" TEXT
printf 'first\r\nsecond\r\nthird' > "$work/mac.expected"
cmds+=(decodebinhex "$(win "$work/mac.hqx")" "$(win "$work/mac.out")" "$(win "$work/mac.tmp")" 0 "")

run_host "${cmds[@]}" > "$work/host.log" 2>&1 || bad "host run ($(tail -n1 "$work/host.log"))"
calls=$(( 5 * $(wc -w <<<"$sizes") + 2 ))
results=$(grep -cE '^(decode64|decodeuu|decodeqp|decodebinhex|encode64): 0 ' "$work/host.log")
[ "$results" -eq "$calls" ] && ok || bad "every call returns 0 (of $calls, $results did)"

for n in $sizes; do
  f=$work/r$n
  same "base64 $n bytes" "$f" "$f.from64"
  same "uuencode $n bytes" "$f" "$f.fromuu"
  same "quoted-printable $n bytes" "$f" "$f.fromqp"
  same "BinHex $n bytes" "$f" "$f.fromhqx"
  if tr -d '\r' < "$f.ours64" | base64 -d > "$f.back" 2>/dev/null; then same "EncodeBase64 $n bytes" "$f" "$f.back"; else bad "base64 -d of EncodeBase64 $n bytes"; fi
  # 60 characters and CR LF a line, then an empty line.
  if [ "$(head -n1 "$f.ours64" | tr -d '\r\n' | wc -c)" -le 60 ] && [ "$(tail -c2 "$f.ours64" | od -An -c | tr -d ' ')" = '\r\n' ]; then ok; else bad "EncodeBase64 line layout $n bytes"; fi
done
same "quoted-printable text" "$text.crlf" "$text.fromqp"
same "BinHex TEXT" "$work/mac.expected" "$work/mac.out"
[ -s "$work/mac.tmp" ] && ok || bad "the BinHex scratch file is left for the caller"

# Two uuencoded blocks in one message, decoded by two calls.
head -c 700 /dev/urandom > "$work/u1"; head -c 1300 /dev/urandom > "$work/u2"
{ echo "Subject: two files"; echo; echo "first:"; uuencode "$work/u1" u1.bin; echo "second:"; uuencode "$work/u2" u2.bin; echo "bye"; } \
  | sed 's/$/\r/' > "$work/two.txt"
first=$(run_host decodeuu "$(win "$work/two.txt")" "$(win "$work/u1.out")" 0 "")
position=$(sed -n 's/^decodeuu: 0 position \([0-9]*\).*/\1/p' <<<"$first")
expected=$(( $(grep -n -a '^second:' "$work/two.txt" | cut -d: -f1) ))
expected_bytes=$(head -n $((expected - 1)) "$work/two.txt" | wc -c)
[ "$position" = "$expected_bytes" ] && ok || bad "uuencode position after the first block ($first; wanted $expected_bytes)"
run_host decodeuu "$(win "$work/two.txt")" "$(win "$work/u2.out")" "${position:-0}" "" > /dev/null
same "uuencode first block" "$work/u1" "$work/u1.out"
same "uuencode second block" "$work/u2" "$work/u2.out"

# --- messages built by mpack ---------------------------------------------
head -c 5000 /dev/urandom > "$work/a1"; head -c 20000 /dev/urandom > "$work/a2"; head -c 333 /dev/urandom > "$work/a3"
echo "Here is the file" > "$work/desc"
mpack -s "one file" -d "$work/desc" -o "$work/m1" "$work/a1"
mpack -s "second" -o "$work/m2" "$work/a2"
mpack -s "third" -o "$work/m3" "$work/a3"
body() { sed '1,/^$/d' "$1"; }               # a message without its header block
# the last part of an mpack message (its attachment), without the delimiters
part() { awk '/^-----$/ { exit } /^---$/ { part = ""; next } { part = part $0 "\n" } END { printf "%s", part }' "$1"; }
# An outer multipart holding a text part, m3's attachment, m2 whole as a
# nested multipart, and m1's attachment.
{
  echo "From: tester@example.com"
  echo "Subject: nested"
  echo "Content-Type: multipart/mixed;"
  echo "	boundary=\"outer-1\""
  echo
  echo "--outer-1"; echo "Content-Type: text/plain"; echo; echo "Hello."
  echo "--outer-1"; part "$work/m3"
  echo "--outer-1"; grep '^Content-Type: multipart' "$work/m2"; echo; body "$work/m2"
  echo "--outer-1"; part "$work/m1"
  echo "--outer-1--"
} > "$work/nested"
sed 's/$/\r/' "$work/nested" > "$work/nested.crlf"

for m in m1 nested nested.crlf; do
  run_host boundary "$(win "$work/$m")" attachments "$(win "$work/$m")" > "$work/$m.scan" 2>&1
done
grep -q '^boundary: 1 -$' "$work/m1.scan" && ok || bad "mpack boundary: $(head -n1 "$work/m1.scan")"
grep -q '^attachments: 1 ' "$work/m1.scan" && ok || bad "mpack attachment count: $(cat "$work/m1.scan")"
for m in nested nested.crlf; do
  grep -q '^boundary: 1 outer-1$' "$work/$m.scan" && ok || bad "$m boundary"
  [ "$(grep '^attachment ' "$work/$m.scan" | cut -d' ' -f4 | tr '\n' ' ')" = "--outer-1 --- --outer-1 " ] && ok \
    || bad "$m part delimiters: $(cat "$work/$m.scan")"
done

# Decode each attachment found, at its position and with its delimiter.
for m in m1 nested nested.crlf; do
  cmds=()
  while read -r _ number position delimiter; do
    cmds+=(decode64 "$(win "$work/$m")" "$(win "$work/$m.part${number%:}")" "$position" "$delimiter")
  done < <(grep '^attachment ' "$work/$m.scan")
  [ ${#cmds[@]} -gt 0 ] && run_host "${cmds[@]}" > /dev/null
done
same "mpack attachment" "$work/a1" "$work/m1.part1"
for m in nested nested.crlf; do
  same "$m attachment 1" "$work/a3" "$work/$m.part1"
  same "$m attachment 2 (nested)" "$work/a2" "$work/$m.part2"
  same "$m attachment 3" "$work/a1" "$work/$m.part3"
done

# Text extraction of the nested message: headers without the multipart
# header and its folded line, the text part and nested text parts, three
# attachments left out.
run_host extract "$(win "$work/nested.crlf")" "$(win "$work/nested.txt")" > "$work/extract.log"
grep -q '^extract: 3$' "$work/extract.log" && ok || bad "extract count: $(cat "$work/extract.log")"
printf 'From: tester@example.com\r\nSubject: nested\r\n\r\n\r\nHello.\r\n' > "$work/nested.expected"
same "extracted text" "$work/nested.expected" "$work/nested.txt"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
