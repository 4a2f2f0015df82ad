#!/usr/bin/env python3
"""Turns Google Benchmark's JSON output into one table: name, wall and CPU medians, ratio, target,
met. Targets are checked on wall-clock medians."""
import json
import sys

# name: (reference benchmark or None, largest ratio to it, largest median in ms or None). A
# reference of the form "counter:NAME (what)" takes the ratio from the benchmark's own counter
# NAME, which it measured beside its reference in the same iterations.
TARGETS = {
    "BM_SatelliteFindingPass": ("BM_PlainFill", 4.0, 0.5),
    "BM_TerrestrialMeasurePass": ("BM_PlainFill", 4.0, 0.5),
    "BM_CableMeasurePass": ("BM_PlainFill", 4.0, 0.5),
    "BM_SpectrumPass": ("BM_PlainFill", 4.0, 0.5),
    "BM_SpectrumPointerMove": ("BM_SpectrumPass", 1 / 20, None),
    "BM_ConstellationDiagramPass": ("BM_PlainFill", 4.0, 0.5),
    "BM_ConstellationMorePass": ("BM_PlainFill", 4.0, 0.5),
    "BM_ConstellationMoreBand": ("counter:per_diagram_pass (BM_ConstellationDiagramPass beside it)", 2 / 3, None),
    "BM_ConstellationDiagramBand": ("counter:per_diagram_pass (BM_ConstellationDiagramPass beside it)", 2 / 3, None),
    "BM_CanvasTextPass": ("BM_PlainFill", 4.0, None),
    "BM_CanvasStripPass": ("BM_CanvasTextPass", 1 / 10, None),
    "BM_LoadAndRebuild": (None, None, 0.2),
    "BM_ExportBmp": ("BM_PlainWrite", 2.0, None),
    # 300 pairs a second on both cores is 100 ms for the benchmark's 30.
    "BM_Compare30IdenticalPairs": (None, None, 100.0),
    "BM_CompareDifferingPair": (None, None, 20.0),
    "BM_SvgScreen": (None, None, 10.0),
    "BM_PdfScreen": (None, None, 10.0),
    "BM_ExportDemo": (None, None, 50.0),
    "BM_ReportDemo": (None, None, 1000.0),
    "BM_ContactSheet1000": (None, None, 50),
}

# name: (counter, largest value): a size a benchmark reports beside its time.
SIZE_LIMITS = {
    "BM_ReportDemo": ("bytes", 2_000_000),
}


def main(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    medians, cpu_medians, counters = {}, {}, {}
    for run in runs:
        if run.get("aggregate_name") == "median":
            unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
            name = run["run_name"].removesuffix("/manual_time")
            medians[name] = run["real_time"] * unit
            # A manually timed benchmark's processor time covers its whole iteration, the
            # untimed reference work included, so it says nothing of its own.
            manual = name != run["run_name"]
            cpu_medians[name] = None if manual else run["cpu_time"] * unit
            counters[name] = run
    rows, all_met = [], True
    for name, median in medians.items():
        reference, max_ratio, max_ms = TARGETS.get(name, (None, None, None))
        if reference and reference.startswith("counter:"):
            counter = reference.removeprefix("counter:").split(" ")[0]
            ratio = counters[name].get(counter)
            reference = reference.split(" ", 1)[1].strip("()")
        else:
            ratio = medians.get(reference) and median / medians[reference]
        parts, met = [], True
        if max_ms is not None:
            parts.append(f"<= {max_ms:g} ms")
            met &= median <= max_ms
        if max_ratio is not None and ratio is not None:
            parts.append(f"<= {max_ratio:.3g} x {reference}")
            met &= ratio <= max_ratio
        if name in SIZE_LIMITS:
            counter, limit = SIZE_LIMITS[name]
            parts.append(f"{counter} <= {limit:g} (is {counters[name].get(counter, 0):.0f})")
            met &= counters[name].get(counter, limit + 1) <= limit
        target = ", ".join(parts) or "reference"
        verdict = ("met" if met else "MISSED") if parts else ""
        all_met &= met
        ratio_text = f"{ratio:.3f}" if ratio is not None else ""
        rows.append((name, f"{median:.4f} ms", f"{cpu_medians[name]:.4f} ms" if cpu_medians[name] is not None else "-", ratio_text, target,
                     verdict))
    header = ("benchmark", "median", "cpu median", "ratio", "target", "")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
    return 0 if all_met else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
