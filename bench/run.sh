#!/usr/bin/env bash
# Builds the benchmarks and the command-line driver in Release (build-release/) and prints the
# figures for docs/benchmarks.md: the benchmark table at guarantees 13 and 12 (each figure the
# median of KELVO_BENCH_REPETITIONS runs, 5 by default), the literal method once, and the whole
# kelvo-reduce process against `LC_ALL=C sort -f -o F F` on the same files, timed by hyperfine
# (medians), with the peak memory of both.
#
# Runs per command in hyperfine: KELVO_PROCESS_RUNS (21) for the files of at most 7000 columns,
# KELVO_MEDIUM_RUNS (10) for all 3^12 at G=12 and all 3^10 at G=11, KELVO_LARGE_RUNS (5) for all
# 3^14 at G=13 and KELVO_LARGE12_RUNS (3) for all 3^14 at G=12. KELVO_BENCH_MIN_TIME (0.2 s)
# is the least time Google Benchmark spends on each repetition.
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${KELVO_BENCH_REPETITIONS:-5}
minTime=${KELVO_BENCH_MIN_TIME:-0.2}
runs=${KELVO_PROCESS_RUNS:-21}
mediumRuns=${KELVO_MEDIUM_RUNS:-10}
largeRuns=${KELVO_LARGE_RUNS:-5}
large12Runs=${KELVO_LARGE12_RUNS:-3}
build=build-release

source scripts/setup.sh
kelvo_install_missing time python3 hyperfine
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_bench kelvo_columns kelvo-reduce

# The files of all 3^14 columns take 76 MB each; they live here and go with the folder.
scratch=$(mktemp -d /tmp/kelvo-run.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

echo
echo "== Machine"
echo "nproc: $(nproc)"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "kernel: $(uname -sr)"
echo "hyperfine: $(hyperfine --version)"
echo "scratch folder: /tmp ($(df -T /tmp | awk 'NR == 2 { print $2 }'))"
# The machine's 2 cores are shared with other builds: the load says how far to trust a figure.
echo "load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg)"

echo
echo "== Benchmarks (median of $repetitions repetitions, at least $minTime s each)"
"$build/bench/kelvo_bench" --benchmark_repetitions="$repetitions" --benchmark_min_time="$minTime" \
  --benchmark_report_aggregates_only=true --benchmark_out="$scratch/bench.json" \
  --benchmark_out_format=json >"$scratch/bench.txt" 2>&1
grep -Ev '_(mean|stddev|cv) ' "$scratch/bench.txt"

echo
echo "== Per phase, ms (median); PrepareColumnFile and LoadColumns do not depend on G: timed once"
python3 - "$scratch/bench.json" <<'PY'
import json, sys
rows, growth = {}, {}
# The medians, or with a single repetition, which reports no aggregates, the runs themselves.
runs = json.load(open(sys.argv[1]))["benchmarks"]
medians = [b for b in runs if b.get("aggregate_name") == "median"]
for b in medians or [b for b in runs if b["run_type"] == "iteration"]:
    parts = b["run_name"].split("/")
    if parts[0].endswith("_growth"):
        growth.setdefault((parts[1], int(parts[2])), {})[parts[0]] = b
        continue
    phase, name = parts[:2]
    guarantees = [parts[2]] if parts[2].startswith("G:") else ["G:13", "G:12"]
    for g in guarantees:
        rows.setdefault((name, g), {})[phase] = b
phases = ["ReduceColumns", "PrepareColumnFile", "LoadColumns", "AnalyseNeighbours", "SelectGreedyCover"]
print(f"{'input':<14}{'G':>4}" + "".join(f"{p:>19}" for p in phases)
      + f"{'L':>7}{'chosen':>8}{'pumps/run':>11}")
for (name, g), times in rows.items():
    # The selection on identical7000 takes nanoseconds.
    cells = "".join(f"{times[p]['real_time']:>19.{3 if times[p]['real_time'] >= 0.01 else 6}f}"
                    if p in times else f"{'-':>19}" for p in phases)
    analysis, run = times.get("AnalyseNeighbours", {}), times.get("ReduceColumns", {})
    chosen = times.get("SelectGreedyCover", {}).get("chosen", float("nan"))
    print(f"{name:<14}{g[2:]:>4}{cells}{analysis.get('L', float('nan')):>7.0f}{chosen:>8.0f}"
          f"{run.get('pumps/run', float('nan')):>11.0f}")
print()
print("Growth, full developments (median):")
print(f"{'columns':>9}{'G':>4}{'analyse, ms':>13}{'per column, us':>16}{'whole run, ms':>15}"
      f"{'entries':>13}{'peak MiB':>10}")
for (g, columns), times in sorted(growth.items(), key=lambda item: (-int(item[0][0][2:]),
                                                                    item[0][1])):
    analysis, run = times["AnalyseNeighbours_growth"], times["ReduceColumns_growth"]
    print(f"{columns:>9}{g[2:]:>4}{analysis['real_time']:>13.3f}"
          f"{analysis['real_time'] * 1000 / columns:>16.3f}{run['real_time']:>15.2f}"
          f"{analysis['entries']:>13.0f}{run['peak_MiB']:>10.1f}")
PY

# A run makes its files durable (fsync) before it replaces them; on a memory file system that
# costs nothing, so the difference from the figures above is what the disk adds.
echo
echo "== Whole run in the benchmark with the files in /dev/shm, G=13 (median of $repetitions)"
TMPDIR=/dev/shm "$build/bench/kelvo_bench" --benchmark_filter='^ReduceColumns/.*/G:13' \
  --benchmark_repetitions="$repetitions" --benchmark_min_time="$minTime" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '^(Benchmark|ReduceColumns/)' |
  grep -Ev '_(mean|stddev|cv) '

echo
echo "== The literal method, once (filtered7000, G=13)"
"$build/bench/kelvo_bench" --literal --benchmark_filter='^LiteralReduction' 2>/dev/null |
  grep -E '^(Benchmark|LiteralReduction)'

# One hyperfine invocation per case times both commands, each run on a fresh unsorted copy of
# the same file (both rewrite it in place). hyperfine runs every run of the first command before
# the second's, so a change in the machine's load during a case shows in its ratio. Without a
# shell (-N) there is no shell start-up to subtract, which hyperfine cannot measure finely
# enough for runs of a few milliseconds; LC_ALL=C reaches sort through hyperfine's environment.
# The peak memory comes from one more run of each under /usr/bin/time.
process_case() {
  local label=$1 source=$2 guarantee=$3 count=$4 warmup=$5
  local columns options=() work="$scratch/work.txt"
  local json
  json="$scratch/process-$(wc -l <"$scratch/process.txt").json"
  columns=$(wc -l <"$source")
  if [ "$guarantee" -ne 13 ]; then
    options+=(--guarantee "$guarantee")
  fi
  if [ "$columns" -gt 7000 ]; then
    options+=(--no-limit)
  fi
  local kelvo=("$build/kelvo-reduce" "${options[@]}" "$work" "$scratch/reduced")
  local sorting=(sort -f -o "$work" "$work")
  echo "timing $label at G=$guarantee: $count runs of each command" >&2
  if ! LC_ALL=C hyperfine -N --style basic --runs "$count" --warmup "$warmup" \
    --prepare "cp $(printf '%q' "$source") $(printf '%q' "$work")" --export-json "$json" \
    "$(printf '%q ' "${kelvo[@]}")" "$(printf '%q ' "${sorting[@]}")" \
    >"$scratch/hyperfine.log" 2>&1; then
    cat "$scratch/hyperfine.log" >&2
    return 1
  fi
  cp "$source" "$work"
  local kelvoPeak sortPeak
  kelvoPeak=$(/usr/bin/time -f %M "${kelvo[@]}" 2>&1 >/dev/null | tail -n 1)
  cp "$source" "$work"
  sortPeak=$(LC_ALL=C /usr/bin/time -f %M "${sorting[@]}" 2>&1 | tail -n 1)
  echo "$label $columns $guarantee $json $kelvoPeak $sortPeak" >>"$scratch/process.txt"
}

echo
echo "== Whole process against LC_ALL=C sort -f -o F F (hyperfine medians)"
for set in random7000 triples8 identical7000 far7000 filtered7000; do
  "$build/bench/kelvo_columns" "$set" "$scratch/$set.txt"
done
for triples in 10 12 14; do
  "$build/bench/kelvo_columns" "triples$triples" "$scratch/all$triples.txt"
done
: >"$scratch/process.txt"
process_case columns7000 examples/columns7000.txt 13 "$runs" 3
process_case random7000 "$scratch/random7000.txt" 13 "$runs" 3
process_case triples8 "$scratch/triples8.txt" 13 "$runs" 3
process_case identical7000 "$scratch/identical7000.txt" 13 "$runs" 3
process_case far7000 "$scratch/far7000.txt" 13 "$runs" 3
process_case 'all 3^14' "$scratch/all14.txt" 13 "$largeRuns" 0
process_case 'all 3^12' "$scratch/all12.txt" 12 "$mediumRuns" 1
process_case 'all 3^14' "$scratch/all14.txt" 12 "$large12Runs" 0
process_case 'all 3^10' "$scratch/all10.txt" 11 "$mediumRuns" 1
python3 - "$scratch/process.txt" <<'PY'
import json, sys
def ms(seconds):
    value = seconds * 1000
    return f"{value:.0f}" if value >= 100 else f"{value:.1f}" if value >= 10 else f"{value:.2f}"
print(f"{'input':<14}{'columns':>10}{'G':>4}{'kelvo-reduce, ms':>18}{'sort -f, ms':>13}"
      f"{'ratio':>8}{'kelvo MiB':>11}{'sort MiB':>10}{'runs':>6}")
for line in open(sys.argv[1]):
    *words, columns, g, path, kelvo_peak, sort_peak = line.split()
    name = " ".join(words)
    kelvo, sort = json.load(open(path))["results"]
    print(f"{name:<14}{int(columns):>10}{g:>4}{ms(kelvo['median']):>18}{ms(sort['median']):>13}"
          f"{kelvo['median'] / sort['median']:>8.2f}{int(kelvo_peak) / 1024:>11.1f}"
          f"{int(sort_peak) / 1024:>10.1f}{len(kelvo['times']):>6}")
PY
echo "load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"
