#!/usr/bin/env python3
"""Reads the built help file back with libchm's extract_chmLib and checks it.

    check_help_file.py topics|links|contents BIN_FOLDER HELP_TOPICS_H

topics:   the file the code names is there; every topic the code names is a
          page inside it, and so are the default topic, the table of
          contents and the index that the file's system record names.
links:    every link, image, stylesheet and table-of-contents entry of every
          page resolves to a file inside, and every #anchor to an id there.
contents: the table of contents lists the default topic and every topic the
          code names; the index leads to each of them.
"""
import posixpath
import struct
import subprocess
import sys
import tempfile
from pathlib import Path
from urllib.parse import unquote, urlsplit

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "cmake"))
from help_file import read_header, read_page  # noqa: E402

SYSTEM_CONTENTS, SYSTEM_INDEX, SYSTEM_DEFAULT_TOPIC = 0, 1, 2


def system_record(folder):
    """The #SYSTEM entries as {code: text}."""
    data = (folder / "#SYSTEM").read_bytes()
    entries, at = {}, 4
    while at + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, at)
        entries[code] = data[at + 4:at + 4 + length].split(b"\0")[0].decode("latin-1")
        at += 4 + length
    return entries


class HelpFile:
    def __init__(self, chm, folder):
        run = subprocess.run(["extract_chmLib", str(chm), str(folder)], capture_output=True, text=True)
        if run.returncode != 0:
            raise SystemExit(f"extract_chmLib {chm} failed: {run.stdout}{run.stderr}")
        self.folder = folder
        self.files = {p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file()}
        self.system = system_record(folder)

    def named(self, code):
        return self.system.get(code, "").lstrip("/")

    def page(self, name):
        return read_page(self.folder / name)


def check_topics(chm, topics):
    problems = []
    for code, what in ((SYSTEM_DEFAULT_TOPIC, "default topic"), (SYSTEM_CONTENTS, "table of contents"),
                       (SYSTEM_INDEX, "index")):
        if chm.named(code) not in chm.files:
            problems.append(f"the {what} '{chm.named(code)}' is not inside")
    for topic in topics:
        if topic not in chm.files:
            problems.append(f"topic '{topic}' is not inside")
        elif not chm.page(topic).title:
            problems.append(f"topic '{topic}' has no title")
    return problems


def check_links(chm, topics):
    problems = []
    for name in sorted(f for f in chm.files if f.endswith((".htm", ".hhc", ".hhk"))):
        page = chm.page(name)
        for tag, target in page.targets:
            parts = urlsplit(target)
            if parts.scheme or parts.netloc:
                continue  # mail and web addresses lie outside the file
            file = unquote(parts.path)
            resolved = posixpath.normpath(posixpath.join(posixpath.dirname(name), file)) if file else name
            if resolved not in chm.files:
                problems.append(f"{name}: <{tag}> '{target}' does not resolve")
            elif parts.fragment and parts.fragment not in chm.page(resolved).ids:
                problems.append(f"{name}: <{tag}> '{target}': no id '{parts.fragment}' in {resolved}")
    return problems


def check_contents(chm, topics):
    problems = []
    expected = [chm.named(SYSTEM_DEFAULT_TOPIC), *topics]
    for code, what in ((SYSTEM_CONTENTS, "table of contents"), (SYSTEM_INDEX, "index")):
        listed = {unquote(t) for tag, t in chm.page(chm.named(code)).targets if tag == "param"}
        problems += [f"the {what} does not lead to '{t}'" for t in expected if t not in listed]
    return problems


CHECKS = {"topics": check_topics, "links": check_links, "contents": check_contents}


def main(argv):
    if len(argv) != 4 or argv[1] not in CHECKS:
        sys.exit(__doc__)
    name, topics = read_header(argv[3])
    chm_path = Path(argv[2]) / name
    if not chm_path.is_file():
        sys.exit(f"no help file {chm_path}")
    with tempfile.TemporaryDirectory() as work:
        chm = HelpFile(chm_path, Path(work) / "extracted")
        problems = CHECKS[argv[1]](chm, topics)
    for problem in problems:
        print(f"{chm_path.name}: {problem}")
    print(f"{argv[1]}: {len(topics)} topics, {len(problems)} problems")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv)
