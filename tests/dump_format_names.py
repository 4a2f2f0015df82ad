#!/usr/bin/env python3
"""Fails when the dump format page and what `quorvel-cli dump` writes disagree on names.

usage: dump_format_names.py QUORVEL_CLI SOURCE.dat PAGE.md

Every member name the dump writes, at any depth, must be a backticked name in the first column
of a table row of the page. A field table (header `| Field | Type and range | ...`) belongs to the
entry kind its section heading names in backticks (`measure`, `spectrum`, `constellation`); it
must list exactly the fields the dump writes for that kind.
"""
import json
import re
import subprocess
import sys

KINDS = ('measure', 'spectrum', 'constellation')

cli, source, page = sys.argv[1:4]
dump = json.loads(subprocess.run([cli, 'dump', source], capture_output=True, text=True,
                                 check=True).stdout)


def member_names(value, names):
    if isinstance(value, dict):
        for key, inner in value.items():
            names.add(key)
            member_names(inner, names)
    elif isinstance(value, list):
        for inner in value:
            member_names(inner, names)
    return names


written = member_names(dump, set())
written_fields = {kind: set() for kind in KINDS}
for kind in KINDS:
    for slot in dump[kind]:
        written_fields[kind] |= set(slot.get('fields', {}))


def cells(line):
    return [cell.strip() for cell in line.strip().strip('|').split('|')]


def first_column_name(line):
    match = re.fullmatch(r'`([A-Za-z0-9]+)`', cells(line)[0])
    return match.group(1) if match else None


documented = set()  # first-column names of every table row
tables = []  # (kind, [field names]) per field table
kind = None
in_field_table = False
for line in open(page, encoding='utf-8'):
    if line.startswith('#'):
        if line.startswith('## '):
            named = [k for k in re.findall(r'`([a-z]+)`', line) if k in KINDS]
            kind = named[0] if len(named) == 1 else None
        in_field_table = False
        continue
    if not line.startswith('|'):
        in_field_table = False
        continue
    row = cells(line)
    if row[:2] == ['Field', 'Type and range']:
        in_field_table = True
        tables.append((kind, []))
        continue
    name = first_column_name(line)
    if name is None:
        continue
    documented.add(name)
    if in_field_table:
        tables[-1][1].append(name)

problems = []
for name in sorted(written - documented):
    problems.append('the dump writes `%s`, which no table row of the page documents' % name)
for kind, names in tables:
    if kind is None:
        problems.append('a field table (%s...) lies under no heading naming one entry kind'
                        % ', '.join(names[:3]))
        continue
    for name in names:
        if name not in written_fields[kind]:
            problems.append('the `%s` table documents `%s`, a field the dump does not write '
                            'for that kind' % (kind, name))
    for name in sorted(written_fields[kind] - set(names)):
        problems.append('the `%s` table lacks `%s`, a field the dump writes' % (kind, name))
for kind in KINDS:
    if not any(table_kind == kind for table_kind, _ in tables):
        problems.append('the page has no field table for `%s`' % kind)

print('\n'.join(problems) if problems else
      'the page documents every name the dump writes, and no field it does not write')
sys.exit(1 if problems else 0)
