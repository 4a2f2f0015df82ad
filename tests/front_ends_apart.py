#!/usr/bin/env python3
"""Fails when one front end includes the other: the window (app/) and the command-line tool (cli/)
share code only through the libraries below them.

usage: front_ends_apart.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1])
crossings = []
for folder, other in (("app", "cli"), ("cli", "app")):
    include = re.compile(r'\s*#\s*include\s*[<"]' + other + '/')
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if include.match(line):
                crossings.append("%s:%d: %s" % (path.relative_to(root), number, line.strip()))
print("\n".join(crossings) or "app/ and cli/ include nothing of each other")
sys.exit(1 if crossings else 0)
