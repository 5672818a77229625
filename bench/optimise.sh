#!/usr/bin/env bash
# Builds kelvo-reduce in Release (build-release/) and prints the optimiser's figures for
# docs/benchmarks.md: for each case the greedy's size, the optimised size after a short and a long
# budget (KELVO_OPTIMISE_SHORT, 10 s, and KELVO_OPTIMISE_LONG, 60 s), the best known size where one
# exists, the lower bound and when the long run first reached its final size. Then the full
# developments of 5 and 6 triples with a budget of 1 s under seeds 1 to 5. Each run uses every
# core; the machine's load is printed with the tables. Last, the filtered sets at guarantees 13
# and 12 reduced with the short budget among their own columns and with --anywhere, which may
# choose any columns; KELVO_OPTIMISE_TABLES=anywhere prints that table alone.
set -euo pipefail
cd "$(dirname "$0")/.."

short=${KELVO_OPTIMISE_SHORT:-10}
long=${KELVO_OPTIMISE_LONG:-60}
build=build-release

source scripts/setup.sh
kelvo_install_missing
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo_columns kelvo-reduce >/dev/null

scratch=$(mktemp -d /tmp/kelvo-optimise.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The best known sizes of ternary covering codes of radius 1 (the full developments at 13).
declare -A known=([triples5]=27 [triples6]=73 [triples7]=186 [triples8]=486)

# optimise NAME GUARANTEE BUDGET [SEED [OPTION...]]: the report line of one run on a fresh copy
# of NAME.
optimise() {
  cp "$scratch/$1.txt" "$scratch/work.txt"
  "$build/kelvo-reduce" --no-limit --guarantee "$2" --optimise "$3" --seed "${4:-1}" "${@:5}" \
    "$scratch/work.txt" "$scratch/out" | grep '^Optimised: '
}

# anywhere_table GUARANTEE NAME...: each set reduced with the short budget among its own columns
# and with --anywhere, the columns of the second not in the set and both lower bounds.
anywhere_table() {
  local guarantee=$1
  shift
  echo
  echo "== Guarantee $guarantee, ${short} s, without and with --anywhere (load $(cut -d ' ' -f 1-3 /proc/loadavg))"
  echo "| case | columns | greedy | own columns | anywhere | of them outside | lower bound, own | lower bound, anywhere |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|"
  for name in "$@"; do
    local columns own wide outside
    columns=$(wc -l <"$scratch/$name.txt")
    own=$(optimise "$name" "$guarantee" "$short")
    wide=$(optimise "$name" "$guarantee" "$short" 1 --anywhere)
    outside=$(tr -d '\r' <"$scratch/out.txt" | grep -Fvxc -f <(tr -d '\r' <"$scratch/work.txt") || true)
    echo "| $name | $columns | $(sed -E 's/^Optimised: greedy ([0-9]+),.*/\1/' <<<"$own") |" \
      "$(sed -E 's/.*, final ([0-9]+),.*/\1/' <<<"$own") |" \
      "$(sed -E 's/.*, final ([0-9]+),.*/\1/' <<<"$wide") | $outside |" \
      "$(sed -E 's/.*lower bound ([0-9]+) .*/\1/' <<<"$own") |" \
      "$(sed -E 's/.*lower bound ([0-9]+) .*/\1/' <<<"$wide") |"
  done
}

# table GUARANTEE NAME...
table() {
  local guarantee=$1
  shift
  echo
  echo "== Guarantee $guarantee (load $(cut -d ' ' -f 1-3 /proc/loadavg))"
  echo "| case | columns | greedy | at ${short} s | at ${long} s | best known | lower bound | final size first reached |"
  echo "|---|---:|---:|---:|---:|---:|---:|---:|"
  for name in "$@"; do
    local columns shortRun longRun
    columns=$(wc -l <"$scratch/$name.txt")
    shortRun=$(optimise "$name" "$guarantee" "$short")
    longRun=$(optimise "$name" "$guarantee" "$long")
    # "Optimised: greedy G, final F, lower bound B (gap P%), S s spent, final size reached at R s"
    local greedy shortFinal longFinal bound reached
    greedy=$(sed -E 's/^Optimised: greedy ([0-9]+),.*/\1/' <<<"$longRun")
    shortFinal=$(sed -E 's/.*, final ([0-9]+),.*/\1/' <<<"$shortRun")
    longFinal=$(sed -E 's/.*, final ([0-9]+),.*/\1/' <<<"$longRun")
    bound=$(sed -E 's/.*lower bound ([0-9]+) .*/\1/' <<<"$longRun")
    reached=$(sed -E 's/.*reached at ([0-9.]+) s$/\1/' <<<"$longRun")
    local best=${known[$name]:--}
    [ "$guarantee" -eq 13 ] || best=-
    echo "| $name | $columns | $greedy | $shortFinal | $longFinal | $best | $bound | $reached s |"
  done
}

full=(triples5 triples6 triples7 triples8)
filtered=(third9 twothirds8 signs9 mixed10 filtered7000)
for name in "${full[@]}" "${filtered[@]}"; do
  "$build/bench/kelvo_columns" "$name" "$scratch/$name.txt"
done

echo "== Machine"
echo "nproc: $(nproc)"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
if [ "${KELVO_OPTIMISE_TABLES:-}" = anywhere ]; then
  anywhere_table 13 "${filtered[@]}"
  anywhere_table 12 "${filtered[@]}"
  exit 0
fi
table 13 "${full[@]}" "${filtered[@]}"
table 12 "${filtered[@]}"

echo
echo "== Full developments of 5 and 6 triples, 1 s, seeds 1 to 5"
for name in triples5 triples6; do
  for seed in 1 2 3 4 5; do
    echo "$name seed $seed: $(optimise "$name" 13 1 "$seed")"
  done
done

anywhere_table 13 "${filtered[@]}"
anywhere_table 12 "${filtered[@]}"
