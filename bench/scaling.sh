#!/usr/bin/env bash
# How the run grows with the number of columns, up to the whole space of 3^14, at guarantees 13
# and 12: every phase once on shuffled developments of 8, 10, 12 and 14 triples in the benchmark
# (time, and the process's peak memory during the phase), then the whole
# `kelvo-reduce --no-limit [--guarantee 12]` process and the check of its result on the same
# files, and a log-log plot of time against N in docs/scaling.png, one panel per guarantee.
#
# KELVO_SCALING_TRIPLES_12 (default "8 10 12 14") picks the developments timed at G=12: all 3^14
# at G=12 takes about a minute in the benchmark and half a minute as a process, so leaving out 14
# shortens the script by half.
set -euo pipefail
cd "$(dirname "$0")/.."

triples13=(8 10 12 14)
read -r -a triples12 <<<"${KELVO_SCALING_TRIPLES_12:-8 10 12 14}"
build=build-release

source scripts/setup.sh
kelvo_install_missing time python3 python3-matplotlib
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_bench kelvo_columns kelvo-reduce

# The files of all 3^14 columns take 76 MB each; they live here and go with the folder.
scratch=$(mktemp -d /tmp/kelvo-scaling.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The machine's 2 cores are shared with other builds: the load says how far to trust a figure.
echo "load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg)"

alternatives() {
  local IFS='|'
  echo "$*"
}
echo
echo "== Every phase once, in the benchmark (kelvo_bench --large)"
# The sort and the load take no guarantee and run once per file; the other phases run at each
# guarantee for the developments chosen for it.
filter="^Large/(PrepareColumnFile|LoadColumns)/"
filter+="|^Large/.*/triples($(alternatives "${triples13[@]}"))/G:13/"
filter+="|^Large/.*/triples($(alternatives "${triples12[@]}"))/G:12/"
"$build/bench/kelvo_bench" --large --benchmark_filter="$filter" --benchmark_out="$scratch/large.json" \
  --benchmark_out_format=json 2>/dev/null | grep -E '^(Benchmark|Large/)'

echo
python3 - "$scratch/large.json" <<'PY'
import json, sys
rows = {}
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    parts = run["run_name"].split("/")
    phase, columns = parts[1], 3 ** int(parts[2].removeprefix("triples"))
    guarantees = [parts[3][2:]] if parts[3].startswith("G:") else ["13", "12"]
    for g in guarantees:
        rows.setdefault((int(g), columns), {})[phase] = run
rows = {key: phases for key, phases in rows.items() if "ReduceColumns" in phases}
phases = ["ReduceColumns", "PrepareColumnFile", "LoadColumns", "AnalyseNeighbours", "SelectGreedyCover"]
heads = ["whole run", "prepare", "load", "analyse", "select"]
order = sorted(rows, key=lambda key: (-key[0], key[1]))
print("Time of each phase, ms (prepare and load take no guarantee: one run, shown at both):")
print(f"{'columns':>9}{'G':>4}" + "".join(f"{h:>11}" for h in heads) + f"{'chosen':>9}{'L':>6}")
for key in order:
    times = rows[key]
    print(f"{key[1]:>9}{key[0]:>4}" + "".join(f"{times[p]['real_time']:>11.1f}" for p in phases)
          + f"{times['SelectGreedyCover']['chosen']:>9.0f}{times['AnalyseNeighbours']['L']:>6.0f}")
print()
print("Peak memory of the benchmark process during each phase, MiB:")
print(f"{'columns':>9}{'G':>4}" + "".join(f"{h:>11}" for h in heads))
for key in order:
    times = rows[key]
    print(f"{key[1]:>9}{key[0]:>4}"
          + "".join(f"{times[p].get('peak_MiB', float('nan')):>11.0f}" for p in phases))
PY

# Sets `seconds` (wall time of the command) and `peakMiB` (its peak resident memory), and
# returns the command's exit status.
timed() {
  local start=$EPOCHREALTIME status=0
  /usr/bin/time -o "$scratch/time.txt" -f %M "$@" >/dev/null || status=$?
  local end=$EPOCHREALTIME
  seconds=$(echo "${start/[.,]/} ${end/[.,]/}" | awk '{ printf "%.3f", ($2 - $1) / 1e6 }')
  # On failure time writes a line about the exit status first; the figure is the last line.
  peakMiB=$(awk '{ kib = $1 } END { printf "%.0f", kib / 1024 }' "$scratch/time.txt")
  return "$status"
}

echo
echo "== Whole process: kelvo-reduce --no-limit, then --check of its result"
printf '%-10s %3s %12s %10s %12s %10s %10s\n' columns G "reduce, s" "peak MiB" "check, s" \
  "peak MiB" chosen
: >"$scratch/process.txt"
for guarantee in 13 12; do
  if [ "$guarantee" -eq 13 ]; then
    sizes=("${triples13[@]}")
  else
    sizes=("${triples12[@]}")
  fi
  for triples in "${sizes[@]}"; do
    # Each run sorts a fresh unsorted copy, as a user's first run does.
    source="$scratch/triples$triples.txt"
    if [ ! -e "$source" ]; then
      "$build/bench/kelvo_columns" "triples$triples" "$source"
    fi
    cp "$source" "$scratch/in.txt"
    columns=$(wc -l <"$source")
    if ! timed "$build/kelvo-reduce" --no-limit --guarantee "$guarantee" "$scratch/in.txt" \
      "$scratch/out"; then
      echo "kelvo-reduce failed on $columns columns at G=$guarantee" >&2
      exit 1
    fi
    reduceSeconds=$seconds
    reducePeak=$peakMiB
    if ! timed "$build/kelvo-reduce" --check --guarantee "$guarantee" "$scratch/in.txt" \
      "$scratch/out.txt"; then
      echo "the check failed on $columns columns at G=$guarantee" >&2
      exit 1
    fi
    printf '%-10s %3s %12s %10s %12s %10s %10s\n' "$columns" "$guarantee" "$reduceSeconds" \
      "$reducePeak" "$seconds" "$peakMiB" "$(wc -l <"$scratch/out.txt")"
    echo "$guarantee $columns $reduceSeconds $seconds" >>"$scratch/process.txt"
  done
done
echo "load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"

# Debian's own interpreter, which sees the python3-matplotlib package.
/usr/bin/python3 bench/plot_scaling.py "$scratch/large.json" "$scratch/process.txt" docs/scaling.png
echo
echo "plot: docs/scaling.png"
