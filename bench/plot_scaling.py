#!/usr/bin/env python3
"""Plots time against the number of columns, log-log, from bench/scaling.sh's measurements."""
import json
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

PHASES = ["ReduceColumns", "PrepareColumnFile", "LoadColumns", "AnalyseNeighbours", "SelectCover"]
COLUMNS = {"triples8": 3**8, "triples10": 3**10, "triples12": 3**12, "triples14": 3**14}


def main(large_json, process_txt, picture):
    seconds = {phase: {} for phase in PHASES}
    for run in json.load(open(large_json))["benchmarks"]:
        _, phase, name = run["run_name"].split("/")[:3]
        seconds[phase][COLUMNS[name]] = run["real_time"] / 1000
    figure, axes = plt.subplots(figsize=(7, 5))
    for phase in PHASES:
        points = sorted(seconds[phase].items())
        axes.plot([n for n, _ in points], [s for _, s in points], marker="o", label=phase)
    process = [line.split() for line in open(process_txt) if line.strip()]
    counts = [int(row[0]) for row in process]
    axes.plot(counts, [float(row[1]) for row in process], marker="s", linestyle="--",
              label="kelvo-reduce --no-limit (process)")
    axes.plot(counts, [float(row[2]) for row in process], marker="s", linestyle=":",
              label="kelvo-reduce --check (process)")
    lowest, highest = min(counts), max(counts)
    start = seconds["ReduceColumns"][lowest]
    axes.plot([lowest, highest], [start, start * highest / lowest], color="grey", linewidth=0.8,
              label="linear growth")
    axes.set_xscale("log")
    axes.set_yscale("log")
    axes.set_xlabel("columns (N)")
    axes.set_ylabel("time, s")
    axes.set_title("Kelvo-Reductor: time against the number of columns")
    axes.grid(True, which="both", linewidth=0.3)
    axes.legend(fontsize=8)
    figure.tight_layout()
    figure.savefig(picture, dpi=100)


if __name__ == "__main__":
    main(*sys.argv[1:4])
