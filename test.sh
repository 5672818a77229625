#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kelvo_install_missing
kelvo_build
ctest --test-dir build --output-on-failure -j "$(nproc)"
