#!/usr/bin/env bash
# How the run grows with the number of columns, up to the whole space of 3^14: every phase once
# on developments of 8, 10, 12 and 14 triples in the benchmark (time and the process's peak
# memory during the phase), then the whole `kelvo-reduce --no-limit` process and the check of
# its result on the same sizes, and a log-log plot of time against N in docs/scaling.png.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-release
source scripts/setup.sh
kelvo_install_missing time python3 python3-matplotlib
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_bench kelvo-reduce

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== Every phase once, in the benchmark"
"$build/kelvo_bench" --large --benchmark_filter='^Large/' --benchmark_out="$scratch/large.json" \
  --benchmark_out_format=json 2>/dev/null | grep -E '^(Benchmark|Large/)'

# Prints the wall time of a command in seconds and its peak memory in KiB.
timed() {
  local start=$EPOCHREALTIME peak
  peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1)
  local end=$EPOCHREALTIME
  echo "${start/[.,]/} ${end/[.,]/} $peak" | awk '{ printf "%.3f %d\n", ($2 - $1) / 1e6, $3 }'
}

echo
echo "== Whole process: kelvo-reduce --no-limit, then --check of its result"
printf '%-10s %12s %10s %12s %10s\n' columns "reduce, s" "peak MiB" "check, s" "peak MiB"
: >"$scratch/process.txt"
for triples in 8 10 12 14; do
  python3 - "$triples" "$scratch/in.txt" <<'PY'
import itertools, random, sys
triples, path = int(sys.argv[1]), sys.argv[2]
fixed = "11X1211X21X112"
columns = ["".join(c) + fixed[triples:] for c in itertools.product("1X2", repeat=triples)]
random.Random(2026).shuffle(columns)
open(path, "w", newline="").write("".join(c + "\r\n" for c in columns))
PY
  columns=$(wc -l <"$scratch/in.txt")
  read -r reduceSeconds reducePeak < <(timed "$build/kelvo-reduce" --no-limit "$scratch/in.txt" \
    "$scratch/out")
  read -r checkSeconds checkPeak < <(timed "$build/kelvo-reduce" --check "$scratch/in.txt" \
    "$scratch/out.txt")
  printf '%-10s %12s %10.0f %12s %10.0f\n' "$columns" "$reduceSeconds" "$((reducePeak / 1024))" \
    "$checkSeconds" "$((checkPeak / 1024))"
  echo "$columns $reduceSeconds $checkSeconds" >>"$scratch/process.txt"
done

# Debian's own interpreter, which sees the python3-matplotlib package.
/usr/bin/python3 bench/plot_scaling.py "$scratch/large.json" "$scratch/process.txt" docs/scaling.png
echo
echo "plot: docs/scaling.png"
