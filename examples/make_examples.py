#!/usr/bin/env python3
"""Writes the example column files of this folder, the same bytes on every machine.

Each file holds one column of 14 signs per line, every line ended by CR LF, in an order that the
reduction's sort visibly changes. The developments are made and shuffled exactly as the
benchmarks make theirs (bench/column_sets.cpp), so triples8.txt and columns7000.txt are the
benchmark's "triples8" and "filtered7000" files.

Usage: examples/make_examples.py [FOLDER]   (default: the folder of this script)
"""

import pathlib
import sys

SIGNS = "1X2"
BASE_COLUMN = "11X1211X21X112"
# The positions a development takes up, in order: spread over the column as a real forecast
# places its triples.
DEVELOPMENT_ORDER = [1, 2, 4, 6, 8, 10, 11, 13, 0, 3, 5, 7, 9, 12]
COLUMN_SEED = 0x4B656C766F
MASK = (1 << 64) - 1

# A few columns to read by eye: the lines of the worked examples and some of a small forecast.
SMALL = [
    "11111111111122",
    "1111111111111X",
    "X1111111111111",
    "11111111111111",
    "2111111111111X",
    "11111111111112",
    "1X2X1211X21X11",
    "X2121X1X21X112",
    "1X2X1211X21X12",
    "2X2X1211X21X11",
    "1121X211X21X11",
    "1X2X1211X21X1X",
]


class SplitMix:
    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
        return z ^ (z >> 31)


def development(triples):
    columns = []
    for number in range(3**triples):
        column = list(BASE_COLUMN)
        rest = number
        for t in reversed(range(triples)):
            column[DEVELOPMENT_ORDER[t]] = SIGNS[rest % 3]
            rest //= 3
        columns.append("".join(column))
    return columns


def shuffled(columns, seed):
    columns = list(columns)
    random = SplitMix(seed)
    for i in range(len(columns), 1, -1):
        j = random.next() % i
        columns[i - 1], columns[j] = columns[j], columns[i - 1]
    return columns


def write(folder, name, columns):
    (folder / name).write_bytes(b"".join(c.encode("ascii") + b"\r\n" for c in columns))


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent)
    filtered = shuffled(development(9), COLUMN_SEED)
    write(folder, "small.txt", SMALL)
    write(folder, "triples8.txt", shuffled(development(8), COLUMN_SEED))
    write(folder, "columns7000.txt", filtered[:7000])
    write(folder, "columns7001.txt", filtered[:7001])


if __name__ == "__main__":
    main()
