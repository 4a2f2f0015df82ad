#!/usr/bin/env python3
"""Prints the benchmark table with the probes' rows under it, in the same columns.

merge_table.py TABLE ROWS: TABLE is tools/bench_table.py's output, ROWS the probes' tab-separated
rows (name, median, ratio, target, met or MISSED). Exits 1 when any row says MISSED.
"""
import sys

VERDICTS = ("met", "MISSED")


def table_rows(path):
    """Cuts each line of a table at the column starts its header shows."""
    with open(path) as f:
        lines = [line.rstrip("\n") for line in f if line.strip()]
    header = lines[0]
    starts = [header.index(word) for word in ("median", "ratio", "target")]
    rows = []
    for line in lines[1:]:
        cells = [line[: starts[0]], line[starts[0]: starts[1]], line[starts[1]: starts[2]]]
        rest = line[starts[2]:].strip()
        target, _, verdict = rest.rpartition(" ")
        if verdict not in VERDICTS:
            target, verdict = rest, ""
        rows.append([cell.strip() for cell in cells] + [target.strip(), verdict])
    return rows


def probe_rows(path):
    with open(path) as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


def main(table_path, rows_path):
    header = ["benchmark", "median", "ratio", "target", ""]
    rows = table_rows(table_path) + probe_rows(rows_path)
    widths = [max(len(row[i]) for row in rows + [header]) for i in range(5)]
    for row in [header] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
    return 1 if any(row[4] == "MISSED" for row in rows) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
