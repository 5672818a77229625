#!/usr/bin/env bash
# Builds kelvo-reduce in Release (build-release/) and prints the records table for
# docs/benchmarks.md: for the full developments of n triples at guarantees 13, 12 and 11 and of n
# doubles at 13 and 12 (n from KELVO_RECORDS_FIRST, 4, to KELVO_RECORDS_LAST, 14), the size
# `kelvo-reduce --no-limit --guarantee G --optimise KELVO_RECORDS_BUDGET` (10 s) reaches on the
# development `kelvo-reduce --develop` writes, when it first reached it, the best known size of a
# covering code of that shape (a tick where it is reached) and the lower bound reported. Then the
# mixed table of kelvo_records_mixed. KELVO_RECORDS_BUILD names a folder that already holds both
# programs, to use instead of building build-release. Every run is niced; the machine's load is
# printed with each table.
set -euo pipefail
cd "$(dirname "$0")/.."

first=${KELVO_RECORDS_FIRST:-4}
last=${KELVO_RECORDS_LAST:-14}
budget=${KELVO_RECORDS_BUDGET:-10}
build=${KELVO_RECORDS_BUILD:-build-release}

if [ -z "${KELVO_RECORDS_BUILD:-}" ]; then
  source scripts/setup.sh
  kelvo_install_missing
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
    -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
  cmake --build "$build" --target kelvo-reduce kelvo_records_mixed >/dev/null
fi

scratch=$(mktemp -d /tmp/kelvo-records.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The best known sizes of covering codes, lengths 4 to 14, from the published tables.
declare -A records=(
  [triples13]="9 27 73 186 486 1269 3645 9477 27702 59049 177147"
  [triples12]="3 8 17 34 81 219 555 729 2187 6561 19683"
  [triples11]="3 3 6 12 27 54 105 243 657 1215 2187"
  [doubles13]="4 7 12 16 32 62 120 192 380 704 1408"
  [doubles12]="2 2 4 7 12 16 30 44 78 128 248"
)

# forecast SIGNS N: the forecast with SIGNS at the first N positions and 1 at the others.
forecast() {
  local groups=()
  for ((p = 0; p < 14; ++p)); do
    if ((p < $2)); then groups+=("$1"); else groups+=(1); fi
  done
  local IFS=,
  echo "${groups[*]}"
}

# table KIND SIGNS GUARANTEE
table() {
  local kind=$1 signs=$2 guarantee=$3
  local -a best
  read -r -a best <<<"${records[$kind$guarantee]}"
  echo
  echo "== $kind, guarantee $guarantee, --optimise $budget (load $(cut -d ' ' -f 1-3 /proc/loadavg))"
  echo "| n | columns | greedy | reached | reached at | best known | lower bound |"
  echo "|---:|---:|---:|---:|---:|---:|---:|"
  for ((n = first; n <= last; ++n)); do
    "$build/kelvo-reduce" --develop "$(forecast "$signs" "$n")" "$scratch/dev.txt" >/dev/null
    local line
    line=$(nice "$build/kelvo-reduce" --no-limit --guarantee "$guarantee" --optimise "$budget" \
      "$scratch/dev.txt" "$scratch/out" | grep '^Optimised: ')
    # "Optimised: greedy G, final F, lower bound B (gap P%), S s spent, final size reached at R s"
    local greedy final bound reached
    greedy=$(sed -E 's/^Optimised: greedy ([0-9]+),.*/\1/' <<<"$line")
    final=$(sed -E 's/.*, final ([0-9]+),.*/\1/' <<<"$line")
    bound=$(sed -E 's/.*lower bound ([0-9]+).*/\1/' <<<"$line")
    reached=$(sed -E 's/.*reached at ([0-9.]+) s.*/\1/' <<<"$line")
    local record=${best[$((n - 4))]} mark=""
    ((final > record)) || mark=" ✓"
    echo "| $n | $(wc -l <"$scratch/dev.txt") | $greedy | $final$mark | $reached s | $record | $bound |"
  done
}

echo "== Machine"
echo "nproc: $(nproc)"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
for guarantee in 13 12 11; do
  table triples 1X2 "$guarantee"
done
for guarantee in 13 12; do
  table doubles 1X "$guarantee"
done

echo
echo "== Mixed developments: the constructed cover against the product of radius-1 codes"
# A build folder keeps the benchmarks under bench/; a folder named by KELVO_RECORDS_BUILD may hold
# the program beside kelvo-reduce.
mixed="$build/bench/kelvo_records_mixed"
[ -x "$mixed" ] || mixed="$build/kelvo_records_mixed"
"$mixed"
