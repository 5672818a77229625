#!/usr/bin/env bash
# Builds kelvo-reduce in Release (build-release/) and times the plain run of all 3^14 columns at
# guarantees 13, 12 and 11 with hyperfine (KELVO_GREEDY_RUNS runs each, 3 by default), each run on
# a fresh unsorted copy of the file. With KELVO_BEFORE set to another kelvo-reduce (an older
# build, say), hyperfine times both in one invocation, so that their ratio comes from one run,
# and the script fails unless both write the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${KELVO_GREEDY_RUNS:-3}
before=${KELVO_BEFORE:-}
build=build-release

source scripts/setup.sh
kelvo_install_missing hyperfine python3
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_columns kelvo-reduce >/dev/null

# The file of all 3^14 columns takes 76 MB; it lives here and goes with the folder.
scratch=$(mktemp -d /tmp/kelvo-greedy.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/kelvo_columns" triples14 "$scratch/triples14.txt"

after=$(realpath "$build/kelvo-reduce")
programs=("$after")
[ -z "$before" ] || programs+=("$(realpath "$before")")

echo "| G | program | median | chosen |"
echo "|---:|---|---:|---:|"
for guarantee in 13 12 11; do
  commands=()
  for program in "${programs[@]}"; do
    commands+=("$program --no-limit --guarantee $guarantee $scratch/work.txt $scratch/out")
  done
  hyperfine -N --style none --runs "$runs" --prepare "cp $scratch/triples14.txt $scratch/work.txt" \
    --export-json "$scratch/times.json" "${commands[@]}" >/dev/null
  index=0
  for program in "${programs[@]}"; do
    cp "$scratch/triples14.txt" "$scratch/work.txt"
    "$program" --no-limit --guarantee "$guarantee" "$scratch/work.txt" "$scratch/out-$index" >/dev/null
    median=$(python3 -c "import json, sys; print('%.2f s' % json.load(open(sys.argv[1]))['results'][$index]['median'])" "$scratch/times.json")
    echo "| $guarantee | $program | $median | $(wc -l <"$scratch/out-$index.txt") |"
    index=$((index + 1))
  done
  if [ -n "$before" ]; then
    cmp "$scratch/out-0.txt" "$scratch/out-1.txt"
  fi
done
echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
