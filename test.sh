#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite, the window tests again
# under a real X server with a window manager, then the engine and driver tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short bounded fuzz run of the whole
# reduction (KELVO_FUZZ_SECONDS, 60 by default).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kelvo_install_missing clang libclang-rt-14-dev xvfb openbox x11-utils
kelvo_build
ctest --test-dir build --output-on-failure -j "$(nproc)"
tests/ui/under_window_manager.sh build

CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVO_BUILD_UI=OFF -DKELVO_BUILD_BENCH=OFF -DKELVO_SANITIZE=ON -DKELVO_BUILD_FUZZ=ON
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

# New inputs the fuzzer finds go to a scratch corpus; the committed seeds stay as they are.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build-sanitize/kelvo_fuzz -max_total_time="${KELVO_FUZZ_SECONDS:-60}" -timeout=10 \
  -artifact_prefix=build-sanitize/ "$scratch" fuzz/corpus
