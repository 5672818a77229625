#!/usr/bin/env bash
# Times what a bet is worth, for docs/benchmarks.md: kelvo-reduce --value of 10000 columns and of
# the 177147-column al-13 reduction of all 3^14, and --value --each of a 100000-column
# development, each over every one of the 3^14 results, timed whole by hyperfine (medians of
# KELVO_VALUE_RUNS, 5 by default); then the value phases in the benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${KELVO_VALUE_RUNS:-5}
build=build-release

source scripts/setup.sh
kelvo_install_missing hyperfine
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_prizes_bench kelvo-reduce
reduce=$PWD/$build/kelvo-reduce

scratch=$(mktemp -d /tmp/kelvo-value.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
cp "$OLDPWD/examples/week/probabilidades.txt" chances.txt
cp "$OLDPWD/examples/week/publico.txt" public.txt
cp "$OLDPWD/examples/week/pleno.txt" pleno.txt
cp "$OLDPWD/examples/week/pleno-publico.txt" pleno-public.txt
"$reduce" --develop 1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,12,1,X,2 all11.txt >/dev/null
head -n 10000 all11.txt >set10000.txt
head -n 100000 all11.txt >set100000.txt
"$reduce" --develop 1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2 all14.txt >/dev/null
"$reduce" --no-limit all14.txt al13 >/dev/null
rm all14.txt
wc -l set10000.txt set100000.txt al13.txt

week=(--chances chances.txt --public public.txt --takings 2500000 --jackpot 1000000
  --pleno 1-1,2-1 --pleno-chances pleno.txt --pleno-public pleno-public.txt)
hyperfine --runs "$runs" --style basic \
  -n "value 10000" "$reduce --value set10000.txt ${week[*]}" \
  -n "value 177147" "$reduce --value al13.txt ${week[*]}" \
  -n "each 100000" "$reduce --value set100000.txt ${week[*]} --each each.tsv"
cd - >/dev/null
"$build/bench/kelvo_prizes_bench" --benchmark_filter='BM_Value'
