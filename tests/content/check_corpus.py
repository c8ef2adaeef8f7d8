#!/usr/bin/env python3
"""Runs the text extraction over every message of a mail corpus and compares
it with what Python's email package makes of the same message: the
multipart/mixed boundary, the header block that is kept, and, where Python
finds the structure sound, the number of attachments left out and every
readable part's text in order.

The extraction's own rules decide what a part is (they are the library's,
not Python's); Python's parser decides where the parts are, their headers
and their decoded text. usage: check_corpus.py EXTRACT_TEXT CORPUS_FOLDER"""
import email
import email.policy
import pathlib
import subprocess
import sys
import tempfile

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def text(data):
    """Bytes as text with LF line ends, for comparing."""
    return data.decode("latin-1").replace("\r\n", "\n")


def header(part, name):
    """A header's value as the library's line tests see it, upper-cased."""
    return str(part.get(name, "")).upper()


def is_attachment(part):
    ctype, encoding = header(part, "Content-Type"), header(part, "Content-Transfer-Encoding")
    return ("ATTACHMENT" in header(part, "Content-Disposition")
            or "APPLICATION/OCTET-STREAM" in ctype or "APPLICATION/RTF" in ctype or "BINHEX" in ctype
            or any(word in encoding for word in ("UUENCODE", "BASE64", "BINHEX")))


def walk(parts, expected):
    """Counts the attachments among parts (nested multiparts included) and
    lists the texts the extraction writes: parts without a content type,
    and text and message parts, quoted-printable decoded."""
    count = 0
    for part in parts:
        if part.is_multipart() and not part.get_content_type().startswith("message/"):
            count += walk(part.get_payload(), expected)
        elif is_attachment(part):
            count += 1
        elif part.get_content_maintype() == "message":
            pass  # Python parses the enclosed message; its raw text is not kept to compare
        elif part.get("Content-Type") is None or any(w in header(part, "Content-Type") for w in ("TEXT", "MESSAGE")):
            expected.append(text(part.get_payload(decode=True) or b"").rstrip("\n"))
    return count


def folded(pairs):
    """Header (name, value) pairs with the value's white space folded."""
    return [(k.lower(), " ".join(v.split())) for k, v in pairs]


def check_message(tool, path, scratch):
    name = path.name
    message = email.message_from_bytes(path.read_bytes(), policy=email.policy.compat32)
    out = scratch / (name + ".out")
    run = subprocess.run([tool, str(path), str(out)], capture_output=True, text=True, check=True)
    result = dict(line.split(" ", 1) if " " in line else (line, "") for line in run.stdout.splitlines())

    mixed = message.get_content_type() == "multipart/mixed" and message.get_boundary() is not None
    check((result["kind"] == "1") == mixed, f"{name}: scan kind {result['kind']}, Python multipart/mixed {mixed}")
    if not mixed or result["kind"] != "1":
        return False
    check(result["boundary"] == message.get_boundary(),
          f"{name}: boundary {result['boundary']!r}, Python {message.get_boundary()!r}")

    # The header block: every header but the multipart content type, each
    # whole with its folded lines.
    head, _, body = out.read_bytes().partition(b"\r\n\r\n")
    wanted = [(k, v) for k, v in message.items()
              if k.lower() != "content-type" or not any(w in v for w in ("multipart", "MULTIPART", "Multipart"))]
    kept = email.message_from_bytes(head + b"\r\n\r\n", policy=email.policy.compat32)
    check(folded(kept.items()) == folded(wanted), f"{name}: header block differs")

    # Where Python itself finds the structure broken, it is no judge of
    # the parts: the message is only run.
    if any(part.defects for part in message.walk()):
        check(int(result["count"]) >= 0, f"{name}: extraction failed")
        return True
    expected = []
    count = walk(message.get_payload(), expected)
    check(result["count"] == str(count), f"{name}: {result['count']} attachments left out, Python's parts give {count}")
    body_text, at = text(body), 0
    for i, part_text in enumerate(expected):
        found = body_text.find(part_text, at)
        check(found >= 0, f"{name}: readable part {i + 1} missing or out of order: {part_text[:60]!r}")
        at = max(at, found)
    return True


def main(tool, folder):
    messages = sorted(pathlib.Path(folder).glob("msg_*.txt"))
    check(len(messages) > 20, f"corpus {folder}: {len(messages)} messages")
    compared = 0
    with tempfile.TemporaryDirectory() as scratch:
        for path in messages:
            compared += check_message(tool, path, pathlib.Path(scratch))
    check(compared > 10, f"only {compared} multipart/mixed messages compared")
    for failure in failures:
        print("FAILED:", failure)
    print(f"{compared} multipart/mixed messages of {len(messages)} compared")
    print(f"{compared - len({f.split(':')[0] for f in failures})} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
