#!/usr/bin/env python3
"""Builds the help file from docs/help with chmcmd.

The help file's name and its topics come from src/frame/help_topics.h and
the list of settings pages (src/admin/page_list.h), the places the code
names them: a topic without a page, or missing from the table of contents,
stops the build. Pages show screenshots by file name
("screenshots/page_incoming.png"); they are copied from docs/screenshots
when the file is built. The index is made from each page's keywords
(<meta name="keywords" content="one; two">).

    help_file.py HEADER PAGES SCREENSHOTS CHMCMD WORK OUTPUT_FOLDER
"""
import html
import re
import shutil
import subprocess
import sys
from html.parser import HTMLParser
from pathlib import Path

CONTENTS = "contents.hhc"
INDEX = "index.hhk"
DEFAULT_TOPIC = "default.htm"
SCREENSHOTS = "screenshots"


class HelpError(Exception):
    pass


def page_list_topics(header):
    """The settings pages' topics, in the sheet's order, from the list of
    pages beside help_topics.h (src/admin/page_list.h)."""
    page_list = Path(header).resolve().parent.parent / "admin" / "page_list.h"
    text = page_list.read_text()
    topics = re.findall(r'^\s*PAGE\(\w+, "[^"]*", \d+, "([^"]+)"\)', text, re.M)
    if not topics:
        raise HelpError(f"{page_list}: no PAGE lines found")
    return topics


def read_header(header):
    """Returns (help file name, [topics]) as help_topics.h and the list of
    pages declare them."""
    text = Path(header).read_text()
    constants = dict(re.findall(r'inline constexpr char (k\w+)\[\] = "([^"]*)";', text))
    listed = re.search(r"kAllTopics\[\] = \{([^}]*)\}", text)
    if "kFile" not in constants or not listed:
        raise HelpError(f"{header}: kFile or kAllTopics not found")
    names = re.findall(r"k\w+", listed.group(1))
    unknown = [n for n in names if n not in constants]
    if unknown or not names:
        raise HelpError(f"{header}: kAllTopics names unknown constants {unknown}")
    unlisted = [n for n, v in constants.items() if v.endswith(".htm") and n not in names]
    if unlisted:
        raise HelpError(f"{header}: topics missing from kAllTopics: {unlisted}")
    return constants["kFile"], page_list_topics(header) + [constants[n] for n in names]


class PageReader(HTMLParser):
    """The title, keywords, links and images of one page or sitemap."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.title = ""
        self.keywords = []
        self.targets = []  # (tag, attribute value) of href, src and Local
        self.ids = set()
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "a" and "name" in a:
            self.ids.add(a["name"])
        if tag == "title":
            self._in_title = True
        elif tag == "meta" and a.get("name", "").lower() == "keywords":
            self.keywords += [k.strip() for k in a.get("content", "").split(";") if k.strip()]
        elif tag in ("a", "link") and a.get("href"):
            self.targets.append((tag, a["href"]))
        elif tag == "img" and a.get("src"):
            self.targets.append((tag, a["src"]))
        elif tag == "param" and a.get("name", "").lower() == "local":
            self.targets.append((tag, a.get("value", "")))

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def read_page(path):
    reader = PageReader()
    reader.feed(Path(path).read_text(encoding="utf-8"))
    reader.close()
    reader.title = " ".join(reader.title.split())
    return reader


def param(name, value):
    value = html.escape(value, quote=False).replace('"', "&quot;")
    return f'<param name="{name}" value="{value}">'


def sitemap_entry(name, topics):
    params = [param("Name", name)]
    if len(topics) == 1:
        params.append(param("Local", topics[0][1]))
    else:
        for title, local in topics:
            params += [param("Name", title), param("Local", local)]
    return f'<LI><OBJECT type="text/sitemap">{"".join(params)}</OBJECT>'


def index_sitemap(pages):
    """The index: every page's keywords, each with the pages that name it."""
    keywords = {}
    for name, page in sorted(pages.items()):
        for keyword in page.keywords:
            keywords.setdefault(keyword.lower(), (keyword, []))[1].append((page.title, name))
    lines = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML><HEAD></HEAD><BODY>", "<UL>"]
    lines += [sitemap_entry(kw, topics) for kw, topics in (keywords[k] for k in sorted(keywords))]
    lines += ["</UL>", "</BODY></HTML>", ""]
    return "\n".join(lines)


def project(chm_name, title, files):
    return "\n".join([
        "[OPTIONS]",
        "Compatibility=1.1 or later",
        f"Compiled file={chm_name}",
        f"Contents file={CONTENTS}",
        f"Index file={INDEX}",
        f"Default topic={DEFAULT_TOPIC}",
        "Default Window=main",
        "Display compile progress=No",
        "Full-text search=Yes",
        "Language=0x409 English (United States)",
        f"Title={title}",
        "",
        "[WINDOWS]",
        f'main="{title}","{CONTENTS}","{INDEX}","{DEFAULT_TOPIC}","{DEFAULT_TOPIC}",,,,,0x63520,,0x387e,,,,,,,,0',
        "",
        "[FILES]",
        *files,
        "",
    ])


def build(header, pages_dir, screenshots_dir, chmcmd, work, output_dir):
    chm_name, topics = read_header(header)
    pages_dir, screenshots_dir, work = Path(pages_dir), Path(screenshots_dir), Path(work)

    missing = [t for t in [DEFAULT_TOPIC, *topics] if not (pages_dir / t).is_file()]
    if missing:
        raise HelpError(f"no page in {pages_dir} for the help topics {missing} named in {header}")
    contents = read_page(pages_dir / CONTENTS)
    listed = {target for tag, target in contents.targets if tag == "param"}
    unlisted = [t for t in [DEFAULT_TOPIC, *topics] if t not in listed]
    if unlisted:
        raise HelpError(f"{pages_dir / CONTENTS} does not list the topics {unlisted}")

    if work.exists():
        shutil.rmtree(work)
    (work / SCREENSHOTS).mkdir(parents=True)
    files, pages, pictures = [], {}, set()
    for source in sorted(pages_dir.iterdir()):
        if source.suffix not in (".htm", ".css", ".hhc"):
            continue
        shutil.copy2(source, work / source.name)
        if source.suffix == ".htm":
            pages[source.name] = page = read_page(source)
            pictures |= {t for tag, t in page.targets if tag == "img" and t.startswith(SCREENSHOTS + "/")}
        if source.suffix != ".hhc":
            files.append(source.name)
    for picture in sorted(pictures):
        source = screenshots_dir / picture.split("/", 1)[1]
        if not source.is_file():
            users = [n for n, p in pages.items() if ("img", picture) in p.targets]
            raise HelpError(f"{users} show {picture}, but {source} does not exist")
        shutil.copy2(source, work / picture)
        files.append(picture)
    (work / INDEX).write_text(index_sitemap(pages), encoding="utf-8")
    title = pages[DEFAULT_TOPIC].title
    (work / "help.hhp").write_text(project(chm_name, title, files), encoding="utf-8")

    run = subprocess.run([chmcmd, "--no-html-scan", "help.hhp"], cwd=work, capture_output=True, text=True)
    built = work / chm_name
    if run.returncode != 0 or not built.is_file() or re.search(r"^(Error|Warning)", run.stdout, re.M):
        raise HelpError(f"chmcmd failed ({run.returncode}):\n{run.stdout}{run.stderr}")
    Path(output_dir).mkdir(parents=True, exist_ok=True)
    shutil.copy2(built, Path(output_dir) / chm_name)


def main(argv):
    if len(argv) != 7:
        sys.exit(__doc__)
    try:
        build(*argv[1:])
    except HelpError as error:
        sys.exit(f"help file: {error}")


if __name__ == "__main__":
    main(sys.argv)
