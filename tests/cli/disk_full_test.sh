#!/usr/bin/env bash
# A disk that fills up during a write, for real: small memory file systems, mounted when the
# test runs as root and skipped otherwise.
set -u
source "$(dirname "$0")/script_support.sh"
driver=$1
work=$(mktemp -d /tmp/kelvo-disk-full-XXXXXX)
mkdir "$work/input" "$work/output"
cleanup() {
  umount "$work/input" "$work/output" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=256k tmpfs "$work/input" 2>/dev/null ||
  ! mount -t tmpfs -o size=8k tmpfs "$work/output" 2>/dev/null; then
  echo "skipped: cannot mount a small file system here"
  exit 77
fi

# About 150 KB: the input fits, a second copy beside it does not.
far_columns 9000 | sort -r >"$work/original.txt"
cp "$work/original.txt" "$work/input/in.txt"
"$driver" "$work/input/in.txt" "$work/out" >"$work/stdout" 2>"$work/stderr"
expect_eq "full disk during the rewrite: status" "$?" 1
expect_eq "full disk during the rewrite: message" "$(cat "$work/stderr")" "Stream write error."
expect_eq "full disk during the rewrite: log" "$(cat "$work/stdout")" ""
cmp -s "$work/original.txt" "$work/input/in.txt"
expect_eq "full disk during the rewrite: input unchanged" "$?" 0
expect_eq "full disk during the rewrite: no temporary file" "$(ls -A "$work/input")" "in.txt"

# 2000 far-apart columns are all chosen: 32 KB of output on an 8 KB disk.
far_columns 2000 >"$work/in.txt"
"$driver" "$work/in.txt" "$work/output/out" >"$work/stdout" 2>"$work/stderr"
expect_eq "full disk during the output: status" "$?" 1
expect_eq "full disk during the output: message" "$(cat "$work/stderr")" "Stream write error."
expect_eq "full disk during the output: last log line" "$(tail -n 1 "$work/stdout")" \
  "Buscando las reductoras..."
expect_eq "full disk during the output: nothing left" "$(ls -A "$work/output")" ""

kelvo_finish
