#!/usr/bin/env python3
"""Reads the message of a reminder made in the Reminders page's editor back
with Python's email package: recipients, subject, the text lines and the
attached file, decoded and compared with its original."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "reminders"))
import check_messages as m  # noqa: E402


def main(folder):
    folder = pathlib.Path(folder)
    msg = m.parse(folder / "reminder_page.eml")
    m.check_common("reminder_page", msg)
    to = [a.addr_spec for a in msg["To"].addresses]
    m.check(to == ["ann@example.org", "bob@example.org"], f"To {to}")
    m.check(msg["From"].addresses[0].addr_spec == "root@example.org", f"From {msg['From']}")
    m.check(msg["Subject"] == "Monthly stock take", f"Subject {msg['Subject']!r}")
    text = m.check_attachment("reminder_page", msg, "stock data.bin", (folder / "stock data.bin").read_bytes())
    body = m.content(text)
    m.check(body.startswith("Please count the shelves.\n\nThank you\n\n"), f"text lines {body!r}")
    for failure in m.failures:
        print("FAIL:", failure)
    print(f"reminder_page.eml parsed, {len(m.failures)} problems")
    return 1 if m.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
