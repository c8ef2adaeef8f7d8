#!/usr/bin/env python3
"""A mixed mailbox of the kind an office collects in a day, the same every
run (a fixed seed):

  mail_mix.py FOLDER [COUNT [SEED]]   COUNT messages (1000) as FOLDER/m0001.eml ...

Sizes spread from 300 bytes to 150 KB, small ones more often (about 47 MB
for 1,000); the bodies mix plain text, quoted-printable, 8-bit text, long
lines (up to 2,000 characters), lines that begin with a dot, lone-dot
lines, and base64 attachments. Every line ends with CR LF, as a server
stores mail.
"""
import base64
import os
import random
import sys


def text_line(rng, width):
    words = ["mail", "office", "report", "invoice", "meeting", "tomorrow", "attached", "please", "thanks",
             "the", "a", "of", "and", "to", "with", "for", "on", "at", "figures", "quarter"]
    line = ""
    while len(line) < width:
        line += rng.choice(words) + " "
    return line[:width].rstrip()


def body_plain(rng, size):
    lines = []
    total = 0
    while total < size:
        kind = rng.random()
        if kind < 0.05:
            line = "." + text_line(rng, rng.randint(0, 70))      # begins with a dot
        elif kind < 0.07:
            line = "."                                           # a lone dot
        elif kind < 0.10:
            line = text_line(rng, rng.randint(500, 2000))        # a long line
        elif kind < 0.15:
            line = ""
        else:
            line = text_line(rng, rng.randint(20, 76))
        lines.append(line)
        total += len(line) + 2
    return "\r\n".join(lines).encode() + b"\r\n"


def body_eight_bit(rng, size):
    accents = "\u00e9\u00e8\u00e0\u00fc\u00f6\u00e4\u00df\u00e7"
    out = []
    total = 0
    while total < size:
        line = "".join(rng.choice(accents) if rng.random() < 0.1 else c for c in text_line(rng, rng.randint(20, 76)))
        raw = line.encode("latin-1")
        out.append(raw)
        total += len(raw) + 2
    return b"\r\n".join(out) + b"\r\n"


def body_quoted(rng, size):
    out = []
    total = 0
    while total < size:
        line = text_line(rng, rng.randint(60, 200))
        encoded = ""
        for c in line:
            encoded += "=3D" if c == "=" else c
            if rng.random() < 0.03:
                encoded += "=E9"
        while len(encoded) > 75:  # soft line breaks
            out.append(encoded[:75] + "=")
            encoded = encoded[75:]
        out.append(encoded)
        total += len(line) + 2
    return "\r\n".join(out).encode() + b"\r\n"


def message(rng, number, size):
    head = ("From: Sender %d <sender%d@example.org>\r\nTo: office@office.example\r\n"
            "Subject: message %d\r\nDate: Mon, 7 Dec 2026 08:%02d:00 +0000\r\nMessage-ID: <%d@example.org>\r\n"
            % (number % 97, number % 97, number, number % 60, number))
    kind = rng.random()
    if kind < 0.35:
        return (head + "\r\n").encode() + body_plain(rng, size)
    if kind < 0.5:
        return (head + "Content-Type: text/plain; charset=iso-8859-1\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
                ).encode() + body_eight_bit(rng, size)
    if kind < 0.65:
        return (head + "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"
                "Content-Transfer-Encoding: quoted-printable\r\n\r\n").encode() + body_quoted(rng, size)
    boundary = "=_part_%d" % number
    text = body_plain(rng, min(size // 4, 2000) + 100)
    data = bytes(rng.getrandbits(8) for _ in range(max(0, size * 3 // 4 - len(text))))
    encoded = base64.encodebytes(data).replace(b"\n", b"\r\n")
    return ((head + "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"%s\"\r\n\r\n"
             "This is a multi-part message in MIME format.\r\n--%s\r\nContent-Type: text/plain\r\n\r\n"
             % (boundary, boundary)).encode() + text +
            ("--%s\r\nContent-Type: application/octet-stream; name=\"file%d.bin\"\r\n"
             "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"file%d.bin\"\r\n\r\n"
             % (boundary, number, number)).encode() + encoded + ("--%s--\r\n" % boundary).encode())


def main():
    folder = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 26)
    os.makedirs(folder, exist_ok=True)
    total = 0
    for n in range(1, count + 1):
        size = int(300 + 149700 * rng.random() ** 2.15)  # 300 B .. 150 KB, on average 47 KB
        data = message(rng, n, size)
        with open(os.path.join(folder, "m%04d.eml" % n), "wb") as f:
            f.write(data)
        total += len(data)
    print(total)


if __name__ == "__main__":
    main()
