#!/usr/bin/env bash
# Runs examples/make_examples.py into a scratch folder and compares, byte for byte, what it writes
# with the benchmark's column sets (triples8.txt with `kelvo_columns triples8`, columns7000.txt
# with `kelvo_columns filtered7000`) and with every column file shipped in examples/. Exits 77,
# skipped, without a python3.
# Usage: make_examples_test.sh PYTHON3 KELVO_COLUMNS EXAMPLES_FOLDER
set -euo pipefail
python=$1
columns=$2
examples=$3
if [ -z "$python" ] || ! command -v "$python" >/dev/null; then
  echo "skipped: no python3"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/made"
"$python" "$examples/make_examples.py" "$work/made"

status=0
# The benchmark's name for each example file made from the same development.
declare -A benchmark_names=([triples8.txt]=triples8 [columns7000.txt]=filtered7000)
for file in "${!benchmark_names[@]}"; do
  "$columns" "${benchmark_names[$file]}" "$work/${benchmark_names[$file]}.txt"
  if ! cmp "$work/made/$file" "$work/${benchmark_names[$file]}.txt"; then
    echo "make_examples.py's $file is not the benchmark's ${benchmark_names[$file]}" >&2
    status=1
  fi
done
shipped=0
for file in "$examples"/*.txt; do
  shipped=$((shipped + 1))
  if ! cmp "$work/made/$(basename "$file")" "$file"; then
    echo "make_examples.py no longer writes the shipped $(basename "$file")" >&2
    status=1
  fi
done
made=$(find "$work/made" -type f | wc -l)
if [ "$made" -ne "$shipped" ]; then
  echo "make_examples.py writes $made files, examples/ ships $shipped" >&2
  status=1
fi
exit "$status"
