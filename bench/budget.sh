#!/usr/bin/env bash
# Builds kelvo-reduce in Release (build-release/) and prints the budget's figures for
# docs/benchmarks.md: on the 7000 example columns with the example week's chances, for budgets of
# 100, 300 and 1000 columns at guarantees 13 and 12, the chance covered by the greedy alone and
# after a short and a long search (KELVO_BUDGET_SHORT, 10 s, and KELVO_BUDGET_LONG, 60 s), each
# against its bound, and the wall time of each whole run; then the same budgets chosen for the
# expected winnings (the week's public, takings 2 500 000), greedy alone and the short search.
# KELVO_BUDGET_TABLES=chance or winnings prints that table alone. The machine's load is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

short=${KELVO_BUDGET_SHORT:-10}
long=${KELVO_BUDGET_LONG:-60}
tables=${KELVO_BUDGET_TABLES:-all}
build=build-release

source scripts/setup.sh
kelvo_install_missing
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo-reduce >/dev/null

scratch=$(mktemp -d /tmp/kelvo-budget.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
week=examples/week

# budget GUARANTEE N [OPTION...]: the budget's line of one run on a fresh copy of the example
# columns, then the run's wall time in seconds.
budget() {
  cp examples/columns7000.txt "$scratch/work.txt"
  local start end line
  start=$(date +%s.%N)
  line=$("$build/kelvo-reduce" --guarantee "$1" --budget "$2" --chances "$week/probabilidades.txt" \
    "${@:3}" "$scratch/work.txt" "$scratch/out" | grep '^Budget: ')
  end=$(date +%s.%N)
  printf "%s\t%s\n" "$line" "$(awk -v s="$start" -v e="$end" "BEGIN { printf \"%.1f\", e - s }")"
}

covered() { sed -E 's/.* right ([0-9.]+)% of .*/\1/' <<<"$1"; }
forecast() { sed -E "s/.*forecast's ([0-9.]+)%.*/\\1/" <<<"$1"; }
bound() { sed -E 's/.*\(bound ([0-9.]+)%\).*/\1/' <<<"$1"; }
seconds() { cut -f 2 <<<"$1"; }
winnings() { sed -E 's/.*expected winnings ([0-9.]+) euros \(bound ([0-9.]+)\).*/\1\t\2/' <<<"$1"; }

echo "load $(cut -d ' ' -f 1-3 /proc/loadavg)"
if [[ $tables != winnings ]]; then
  echo
  echo "== By chance: covered % (wall s), of the forecast's $(forecast "$(budget 13 1)")%"
  echo "| G | N | greedy | at ${short} s | at ${long} s | bound | greedy s | ${short} s run | ${long} s run |"
  echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
  for guarantee in 13 12; do
    for n in 100 300 1000; do
      greedy=$(budget "$guarantee" "$n")
      quick=$(budget "$guarantee" "$n" --optimise "$short" --seed 1)
      slow=$(budget "$guarantee" "$n" --optimise "$long" --seed 1)
      echo "| $guarantee | $n | $(covered "$greedy") | $(covered "$quick") | $(covered "$slow") |" \
        "$(bound "$slow") | $(seconds "$greedy") | $(seconds "$quick") | $(seconds "$slow") |"
    done
  done
fi
[[ $tables == chance ]] && exit 0

echo
echo "== By winnings: expected euros (bound), wall s"
echo "| G | N | greedy | bound | at ${short} s | bound | greedy s | ${short} s run |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|"
public=(--public "$week/publico.txt" --takings 2500000)
for n in 100 300 1000; do
  greedy=$(budget 13 "$n" "${public[@]}")
  quick=$(budget 13 "$n" "${public[@]}" --optimise "$short" --seed 1)
  IFS=$'\t' read -r gw gb <<<"$(winnings "$greedy")"
  IFS=$'\t' read -r qw qb <<<"$(winnings "$quick")"
  echo "| 13 | $n | $gw | $gb | $qw | $qb | $(seconds "$greedy") | $(seconds "$quick") |"
done
