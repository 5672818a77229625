#!/usr/bin/env bash
# Installs what is missing, builds with the warnings as errors, and runs every test: the whole
# suite (with the window tests again under a real X server with a window manager, and the check
# of the examples against the benchmark's column sets), then the engine and driver tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, then a short bounded fuzz run of the
# whole reduction (KELVO_FUZZ_SECONDS, 60 by default) and of the plan file's reader
# (KELVO_PLAN_FUZZ_SECONDS, 30 by default). Between the two builds, lintian checks the
# Debian package of the first: an error fails the run, warnings are printed.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kelvo_install_missing clang python3 xvfb openbox x11-utils lintian
kelvo_install_missing "$(kelvo_clang_runtime_package)"
kelvo_build -DKELVO_WERROR=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd build && cpack -G DEB -B "$scratch/package" >/dev/null)
lintian --fail-on error "$scratch"/package/kelvo-reductor_*.deb

CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVO_BUILD_UI=OFF -DKELVO_BUILD_TESTS=ON -DKELVO_BUILD_BENCH=OFF -DKELVO_WERROR=ON \
  -DKELVO_SANITIZE=ON -DKELVO_BUILD_FUZZ=ON
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

# New inputs the fuzzer finds go to a scratch corpus; the committed seeds stay as they are.
mkdir "$scratch/corpus"
build-sanitize/fuzz/kelvo_fuzz -max_total_time="${KELVO_FUZZ_SECONDS:-60}" -timeout=10 \
  -artifact_prefix=build-sanitize/ "$scratch/corpus" fuzz/corpus
mkdir "$scratch/plan_corpus"
build-sanitize/fuzz/kelvo_plan_fuzz -max_total_time="${KELVO_PLAN_FUZZ_SECONDS:-30}" -timeout=10 \
  -artifact_prefix=build-sanitize/ "$scratch/plan_corpus" fuzz/plan_corpus
