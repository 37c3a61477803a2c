#!/usr/bin/env python3
"""The shipped help file: a compiled HTML help file holding every page of help/ and every picture
the pages show, whose contents and links lead only to pages it holds. The file's own listing
(enum_chmLib, as a reader of the file sees it) says what it holds.

    help_file_test.py HELP_SOURCE_DIR HELP_CHM
"""
import re
import subprocess
import sys
from pathlib import Path


def stored_files(chm):
    listing = subprocess.run(["enum_chmLib", str(chm)], check=True, capture_output=True,
                             text=True).stdout
    return {m.group(1) for m in re.finditer(r"normal file\s+/(\S+)$", listing, re.M)}


def main():
    source, chm = Path(sys.argv[1]), Path(sys.argv[2])
    failures = []
    if chm.read_bytes()[:4] != b"ITSF":
        failures.append(f"{chm} is not a compiled help file")
    stored = stored_files(chm)
    pages = sorted(p.name for p in source.glob("*.html"))
    pictures = set()
    for page in pages:
        pictures |= set(re.findall(r'<img[^>]*\ssrc="([^"]+)"', (source / page).read_text()))
    project = (source / "help.hhp").read_text()
    listed = set(re.findall(r"^(\S+\.(?:html|css|png))$", project, re.M))
    for name in pages + ["style.css"] + sorted(pictures):
        if name not in stored:
            failures.append(f"{name} is missing from {chm.name}")
        if name not in listed:
            failures.append(f"{name} is not listed in help.hhp")
    for name in sorted(listed - stored):
        failures.append(f"{name} is listed in help.hhp but not in {chm.name}")
    default = re.search(r"^Default topic=(\S+)$", project, re.M)
    if not default or default.group(1) not in pages:
        failures.append("the default topic is not a page")
    contents = (source / "toc.hhc").read_text()
    for page in pages:
        if f'value="{page}"' not in contents:
            failures.append(f"{page} is not in the contents")
    for page in [source / "toc.hhc"] + [source / p for p in pages]:
        for target in re.findall(r'(?:href|value)="([^"#:]+\.html)', page.read_text()):
            if target not in pages:
                failures.append(f"{page.name} links to a missing page {target}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
