#!/usr/bin/env python3
"""The shipped help file: a compiled HTML help file holding every page of help/ and whose
contents and links lead only to pages it holds.

    help_file_test.py HELP_SOURCE_DIR HELP_CHM
"""
import re
import sys
from pathlib import Path


def main():
    source, chm = Path(sys.argv[1]), Path(sys.argv[2])
    data = chm.read_bytes()
    failures = []
    if data[:4] != b"ITSF":
        failures.append(f"{chm} is not a compiled help file")
    pages = sorted(p.name for p in source.glob("*.html"))
    # The directory chunks of the file list every stored file by its path.
    for name in pages + ["style.css"]:
        if f"/{name}".encode() not in data:
            failures.append(f"{name} is missing from {chm.name}")
    project = (source / "help.hhp").read_text()
    listed = re.findall(r"^(\S+\.(?:html|css))$", project, re.M)
    for name in set(pages) - set(listed):
        failures.append(f"{name} is not listed in help.hhp")
    default = re.search(r"^Default topic=(\S+)$", project, re.M)
    if not default or default.group(1) not in pages:
        failures.append("the default topic is not a page")
    for page in [source / "toc.hhc"] + [source / p for p in pages]:
        for target in re.findall(r'(?:href|value)="([^"#:]+\.html)', page.read_text()):
            if target not in pages:
                failures.append(f"{page.name} links to a missing page {target}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
