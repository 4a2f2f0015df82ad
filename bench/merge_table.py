#!/usr/bin/env python3
"""Prints the benchmark table with the probes' rows under it, in the same columns.

merge_table.py TABLE ROWS: TABLE is tools/bench_table.py's output, ROWS the probes' tab-separated
rows (name, median, ratio, target, met or MISSED, and optionally the processor time); a column
of the table that the probes do not fill stays empty for them. Exits 1 when any row says MISSED.
"""
import re
import sys

VERDICTS = ("met", "MISSED")
PROBE_FIELDS = ("benchmark", "median", "ratio", "target", "", "cpu median")


def read_table(path):
    """The header's column names and the rows, cut at the column starts the header shows."""
    with open(path) as f:
        lines = [line.rstrip("\n") for line in f if line.strip()]
    header = lines[0]
    names = re.split(r"\s{2,}", header.strip())
    starts = [header.index(name) for name in names]
    rows = []
    for line in lines[1:]:
        cells = [line[start:end].strip() for start, end in zip(starts, starts[1:])]
        # The last named column (the target) runs on into the unnamed verdict column.
        rest = line[starts[-1]:].strip()
        target, _, verdict = rest.rpartition(" ")
        if verdict not in VERDICTS:
            target, verdict = rest, ""
        rows.append(cells + [target.strip(), verdict])
    return names + [""], rows


def read_probe_rows(path, columns):
    rows = []
    with open(path) as f:
        for line in f:
            if not line.strip():
                continue
            fields = dict(zip(PROBE_FIELDS, line.rstrip("\n").split("\t")))
            rows.append([fields.get(column, "") for column in columns])
    return rows


def main(table_path, rows_path):
    columns, rows = read_table(table_path)
    rows += read_probe_rows(rows_path, columns)
    widths = [max(len(row[i]) for row in rows + [columns]) for i in range(len(columns))]
    for row in [columns] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
    return 1 if any(row[-1] == "MISSED" for row in rows) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
