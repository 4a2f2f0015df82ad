#!/usr/bin/env python3
"""Fails when one front end includes another: the window (app/), the command-line tool (cli/) and
the browser page (web/) share code only through the libraries below them.

usage: front_ends_apart.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1])
crossings = []
front_ends = ("app", "cli", "web")
for folder in front_ends:
    others = "|".join(other for other in front_ends if other != folder)
    include = re.compile(r'\s*#\s*include\s*[<"](' + others + ')/')
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if include.match(line):
                crossings.append("%s:%d: %s" % (path.relative_to(root), number, line.strip()))
print("\n".join(crossings) or "app/, cli/ and web/ include nothing of each other")
sys.exit(1 if crossings else 0)
