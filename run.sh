#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display, it reduces a copy
# of an example file with the command-line driver instead and prints the log.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

kelvo_install_missing
kelvo_build_programs

if [ "${1:-}" = "--planner" ]; then
  shift
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: the planner needs one (set DISPLAY or WAYLAND_DISPLAY)" >&2
    exit 1
  fi
  exec build/kelvo-planner "$@"
fi
if [ -x build/kelvo-reductor ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/kelvo-reductor
fi
# The run rewrites its input sorted, so it works on a copy, never on the shipped example.
mkdir -p build/example
cp examples/small.txt build/example/columnas.txt
echo "No display: reducing build/example/columnas.txt into build/example/reducida.txt"
build/kelvo-reduce build/example/columnas.txt build/example/reducida
