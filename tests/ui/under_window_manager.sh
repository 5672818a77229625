#!/usr/bin/env bash
# Runs the window tests once more under a real X server (Xvfb, 1280x1024) with a window manager
# (openbox), where windows get frames as on a desktop, so that the checks of frames and placement
# run too, at scale factors 1 and 2. Starts both on a free display and stops them afterwards, also
# when a test fails. A ctest test (under_window_manager): exits 77, skipped, where the tools are
# missing or no X server can be started.
# Usage: tests/ui/under_window_manager.sh TEST_PROGRAM...
set -euo pipefail
[ $# -gt 0 ] || { echo "Usage: $0 TEST_PROGRAM..." >&2; exit 2; }
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
server=
manager=
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null && wait "$manager" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "skipped: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n 1 "$work/display")"

HOME="$work" openbox >"$work/openbox.log" 2>&1 &
manager=$!
# The manager is in charge once it has announced itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
  { cat "$work/openbox.log"; echo "openbox did not start" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
export KELVO_WINDOW_MANAGER=openbox
status=0
# At 96 dpi, and with every size doubled, where frames and placement round differently.
for scale in 1 2; do
  for test in "$@"; do
    echo "== $(basename "$test") under openbox on $DISPLAY, QT_SCALE_FACTOR=$scale"
    QT_SCALE_FACTOR=$scale "$test" || status=1
  done
done
exit "$status"
