#!/usr/bin/env bash
# Builds the benchmarks and the command-line driver in Release (build-release/) and prints the
# figures recorded in docs/benchmarks.md: the benchmark table (each figure the median of
# KELVO_BENCH_REPETITIONS runs, 5 by default), the literal method once, the whole kelvo-reduce
# process against `sort -f -o F F` on the same files (median of KELVO_PROCESS_RUNS alternating
# runs, 21 by default, each on a fresh unsorted copy), and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${KELVO_BENCH_REPETITIONS:-5}
runs=${KELVO_PROCESS_RUNS:-21}
build=build-release

source scripts/setup.sh
kelvo_install_missing time python3
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_bench kelvo_columns kelvo-reduce

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo
echo "== Machine"
echo "nproc: $(nproc)"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "kernel: $(uname -sr)"
echo "locale of sort: ${LC_ALL:-${LC_COLLATE:-${LANG:-POSIX}}}"
echo "scratch folder: ${TMPDIR:-/tmp} ($(df -T "${TMPDIR:-/tmp}" | awk 'NR == 2 { print $2 }'))"

echo
echo "== Benchmarks (median of $repetitions repetitions)"
"$build/kelvo_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_out="$scratch/bench.json" \
  --benchmark_out_format=json >"$scratch/bench.txt" 2>&1
grep -Ev '_(mean|stddev|cv) ' "$scratch/bench.txt"

echo
echo "== Per phase, ms (median)"
python3 - "$scratch/bench.json" <<'PY'
import json, sys
rows = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") != "median" or "_growth" in b["run_name"]:
        continue
    phase, name = b["run_name"].split("/")[:2]
    rows.setdefault(name, {})[phase] = b["real_time"]
phases = ["ReduceColumns", "PrepareColumnFile", "LoadColumns", "AnalyseNeighbours", "SelectCover"]
print(f"{'input':<15}" + "".join(f"{p:>19}" for p in phases))
for name, times in rows.items():
    print(f"{name:<15}" + "".join(f"{times.get(p, float('nan')):>19.3f}" for p in phases))
PY

# A run makes its files durable (fsync) before it replaces them; on a memory file system that
# costs nothing, so the difference from the figures above is what the disk adds.
echo
echo "== Whole run in the benchmark with the files in /dev/shm (median of $repetitions)"
TMPDIR=/dev/shm "$build/kelvo_bench" --benchmark_filter='^ReduceColumns/' \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E '^(Benchmark|.*_median )'

echo
echo "== The literal method, once"
"$build/kelvo_bench" --literal --benchmark_filter='^LiteralReduction' 2>/dev/null |
  grep -E '^(Benchmark|LiteralReduction)'

# Both commands rewrite their file in place, so each timed run gets a fresh unsorted copy; the
# two alternate so that neither profits from a warmer machine.
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
elapsed_ms() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  echo "${start/[.,]/} ${end/[.,]/}" | awk '{ printf "%.3f\n", ($2 - $1) / 1000 }'
}

echo
echo "== Whole process, ms (median of $runs alternating runs, each on a fresh unsorted copy)"
printf '%-15s %14s %14s %8s\n' input kelvo-reduce "sort -f" ratio
for set in filtered7000 triples8 identical7000 far7000; do
  "$build/kelvo_columns" "$set" "$scratch/$set.txt"
  : >"$scratch/kelvo.ms"
  : >"$scratch/sort.ms"
  for ((run = 0; run < runs; run++)); do
    order=(kelvo sort)
    [ $((run % 2)) -eq 1 ] && order=(sort kelvo)
    for command in "${order[@]}"; do
      cp "$scratch/$set.txt" "$scratch/work.txt"
      if [ "$command" = kelvo ]; then
        elapsed_ms "$build/kelvo-reduce" "$scratch/work.txt" "$scratch/reduced" >>"$scratch/kelvo.ms"
      else
        elapsed_ms sort -f -o "$scratch/work.txt" "$scratch/work.txt" >>"$scratch/sort.ms"
      fi
    done
  done
  kelvo=$(median <"$scratch/kelvo.ms")
  sorted=$(median <"$scratch/sort.ms")
  printf '%-15s %14s %14s %8s\n' "$set" "$kelvo" "$sorted" \
    "$(awk -v k="$kelvo" -v s="$sorted" 'BEGIN { printf "%.2f", k / s }')"
done

echo
echo "== Peak memory (maximum resident set size), MiB"
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
printf '%-15s %14s %14s\n' input kelvo-reduce "sort -f"
for set in filtered7000 triples8 identical7000 far7000; do
  cp "$scratch/$set.txt" "$scratch/work.txt"
  kelvo=$(/usr/bin/time -f %M "$build/kelvo-reduce" "$scratch/work.txt" "$scratch/reduced" 2>&1 >/dev/null)
  cp "$scratch/$set.txt" "$scratch/work.txt"
  sorted=$(/usr/bin/time -f %M sort -f -o "$scratch/work.txt" "$scratch/work.txt" 2>&1)
  printf '%-15s %14s %14s\n' "$set" "$(mib "$kelvo")" "$(mib "$sorted")"
done

if ! cmp -s "$scratch/filtered7000.txt" examples/columns7000.txt; then
  echo "note: examples/columns7000.txt is no longer the benchmark's filtered7000 file"
fi
