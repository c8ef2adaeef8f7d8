"""Writes the spam benchmark's data into a folder: a 10,000-entry black list
(spam lists/black.txt), the same entries as grep patterns (patterns.txt) and
a 1 MB message (message.txt) that holds no entry. Half of the message's
words begin some entry, so the matcher looks beyond the first word often."""
import random
import sys
from pathlib import Path

ENTRIES = 10_000
MESSAGE_BYTES = 1 << 20


def main(folder: Path) -> None:
    rng = random.Random(2026)
    letters = "abcdefghijklmnopqrstuvwxyz"
    seen = set()

    def fresh(shortest, longest):
        while True:
            w = "".join(rng.choice(letters) for _ in range(rng.randint(shortest, longest)))
            if w not in seen:
                seen.add(w)
                return w

    # List words of six letters and more rarely occur inside a message
    # word, as real list entries rarely do.
    message_words = [fresh(2, 10) for _ in range(6000)]
    list_words = [fresh(6, 12) for _ in range(12000)]

    entries = []
    for i in range(ENTRIES):
        kind = i % 10
        if kind < 5:  # a single word the message never holds
            entries.append(rng.choice(list_words))
        elif kind < 8:  # a phrase whose first word the message holds
            n = rng.randint(2, 3)
            entries.append(" ".join([rng.choice(message_words)] + rng.sample(list_words, n - 1)))
        elif kind == 8:  # a domain
            entries.append("@%s.com" % rng.choice(list_words))
        else:  # a full address
            entries.append("%s@%s.net" % (rng.choice(list_words), rng.choice(list_words)))

    (folder / "spam lists").mkdir(parents=True, exist_ok=True)
    with open(folder / "spam lists" / "black.txt", "wb") as f:
        f.write("".join(e + "\r\n" for e in entries).encode())
    with open(folder / "patterns.txt", "wb") as f:
        f.write("".join(e + "\n" for e in entries).encode())

    out = bytearray(b"From: sender@" + message_words[0].encode() + b".com\r\nSubject: news\r\n\r\n")
    line = []
    while len(out) < MESSAGE_BYTES:
        w = rng.choice(message_words)
        r = rng.random()
        if r < 0.05:
            w = w.capitalize()
        elif r < 0.07:
            w = "%s@%s.org" % (w, rng.choice(message_words))
        line.append(w + rng.choice(["", "", "", ",", ".", "!", ":"]))
        if sum(len(x) + 1 for x in line) > 70:
            out += (" ".join(line) + "\r\n").encode()
            line = []
    out += (" ".join(line) + "\r\n").encode()
    (folder / "message.txt").write_bytes(bytes(out[:MESSAGE_BYTES]))
    with open(folder / "ms.ini", "w", newline="\r\n") as f:
        f.write("[spam]\nuse=1\nmod-black=1\n")


if __name__ == "__main__":
    main(Path(sys.argv[1]))
