#!/usr/bin/env python3
"""Plots time against the number of columns, log-log, one panel per guarantee, from
bench/scaling.sh's measurements.

Usage: plot_scaling.py LARGE_JSON PROCESS_TXT PICTURE
LARGE_JSON is kelvo_bench --large's JSON output; PROCESS_TXT holds one line per process run:
guarantee, columns, seconds of the --no-limit run, seconds of its --check.
"""
import json
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

PHASES = ["ReduceColumns", "PrepareColumnFile", "LoadColumns", "AnalyseNeighbours", "SelectGreedyCover"]
GUARANTEES = [13, 12]


def benchmark_seconds(large_json):
    """{guarantee: {phase: {columns: seconds}}}; the phases that take no guarantee go to both."""
    seconds = {g: {phase: {} for phase in PHASES} for g in GUARANTEES}
    for run in json.load(open(large_json))["benchmarks"]:
        parts = run["run_name"].split("/")
        phase, name = parts[1], parts[2]
        columns = 3 ** int(name.removeprefix("triples"))
        guarantees = [int(parts[3][2:])] if parts[3].startswith("G:") else GUARANTEES
        for g in guarantees:
            seconds[g][phase][columns] = run["real_time"] / 1000
    return seconds


def main(large_json, process_txt, picture):
    seconds = benchmark_seconds(large_json)
    process = {g: [] for g in GUARANTEES}
    for line in open(process_txt):
        if line.strip():
            g, columns, reduce_seconds, check_seconds = line.split()
            process[int(g)].append((int(columns), float(reduce_seconds), float(check_seconds)))

    figure, panels = plt.subplots(1, len(GUARANTEES), figsize=(12, 5), sharey=True)
    for axes, g in zip(panels, GUARANTEES):
        for phase in PHASES:
            points = sorted(seconds[g][phase].items())
            if points:
                axes.plot([n for n, _ in points], [s for _, s in points], marker="o",
                          label=phase)
        rows = sorted(process[g])
        if rows:
            counts = [row[0] for row in rows]
            axes.plot(counts, [row[1] for row in rows], marker="s", linestyle="--",
                      label="kelvo-reduce --no-limit (process)")
            axes.plot(counts, [row[2] for row in rows], marker="s", linestyle=":",
                      label="kelvo-reduce --check (process)")
            lowest, highest = min(counts), max(counts)
            start = seconds[g]["ReduceColumns"].get(lowest, rows[0][1])
            axes.plot([lowest, highest], [start, start * highest / lowest], color="grey",
                      linewidth=0.8, label="linear growth")
        axes.set_xscale("log")
        axes.set_yscale("log")
        axes.set_xlabel("columns (N)")
        axes.set_title(f"guarantee {g} ({14 - g} differing position{'s' if g < 13 else ''})")
        axes.grid(True, which="both", linewidth=0.3)
        axes.legend(fontsize=8)
    panels[0].set_ylabel("time, s")
    figure.suptitle("Kelvo-Reductor: time against the number of columns")
    figure.tight_layout()
    figure.savefig(picture, dpi=100)


if __name__ == "__main__":
    main(*sys.argv[1:4])
