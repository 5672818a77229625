#!/usr/bin/env bash
# Prints, for the full development of t triples and b doubles (t + b from 1 to KELVO_MIXED_MOST,
# 12) at guarantees 13, 12 and 11, the size `kelvo-reduce --no-limit --guarantee G --optimise 100
# --steps KELVO_MIXED_STEPS --seed 1` reaches (20000 steps: a fixed amount of work, the same on
# every machine), by this build and, where KELVO_BEFORE names another kelvo-reduce (an older
# build, say), by that one too: "before / after", bold where after is smaller. Every run is
# niced.
set -euo pipefail
cd "$(dirname "$0")/.."

most=${KELVO_MIXED_MOST:-12}
steps=${KELVO_MIXED_STEPS:-20000}
before=${KELVO_BEFORE:-}
build=build-release

source scripts/setup.sh
kelvo_install_missing
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_UI=OFF \
  -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target kelvo-reduce >/dev/null

scratch=$(mktemp -d /tmp/kelvo-mixed.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# forecast T B: T groups 1X2, then B groups 1X, then 1.
forecast() {
  local groups=()
  for ((p = 0; p < 14; ++p)); do
    if ((p < $1)); then
      groups+=(1X2)
    elif ((p < $1 + $2)); then
      groups+=(1X)
    else
      groups+=(1)
    fi
  done
  local IFS=,
  echo "${groups[*]}"
}

# reached PROGRAM GUARANTEE: the final size of one run on the development in the scratch folder.
reached() {
  cp "$scratch/dev.txt" "$scratch/work.txt"
  nice "$1" --no-limit --guarantee "$2" --optimise 100 --steps "$steps" --seed 1 \
    "$scratch/work.txt" "$scratch/out" | sed -n -E 's/^Optimised: .*, final ([0-9]+),.*/\1/p'
}

for guarantee in 13 12 11; do
  echo
  echo "#### Guarantee $guarantee (load $(cut -d ' ' -f 1-3 /proc/loadavg))"
  echo
  header="| t \\ b |"
  rule="|---|"
  for ((b = 0; b <= most; ++b)); do
    header+=" $b |"
    rule+="---:|"
  done
  echo "$header"
  echo "$rule"
  for ((t = 0; t <= most; ++t)); do
    row="| $t |"
    for ((b = 0; b <= most; ++b)); do
      if ((t + b > most)); then
        row+=" |"
        continue
      fi
      if ((t + b == 0)); then
        row+=" 1 |"
        continue
      fi
      "$build/kelvo-reduce" --develop "$(forecast "$t" "$b")" "$scratch/dev.txt" >/dev/null
      after=$(reached "$build/kelvo-reduce" "$guarantee")
      if [ -z "$before" ]; then
        row+=" $after |"
        continue
      fi
      earlier=$(reached "$before" "$guarantee")
      if ((after < earlier)); then
        row+=" $earlier / **$after** |"
      else
        row+=" $earlier / $after |"
      fi
    done
    echo "$row"
  done
done
